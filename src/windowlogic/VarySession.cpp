#include "windowlogic/VarySession.h"

RawData VarySession::Run(const SoundVariation::Request& request, const RawData& start,
                         const RawData& other) {
    last_ = Last{request, start, other};
    EndMorph();
    return SoundVariation::Apply(request, start, other);
}

RawData VarySession::Again(uint64_t seed) {
    if (!last_)
        return {};
    last_->request.seed = seed;
    EndMorph();
    return SoundVariation::Apply(last_->request, last_->start, last_->other);
}

void VarySession::BeginMorph(const RawData& current, const RawData& other) {
    if (morphA_ && current == morphMade_ && other == morphB_)
        return;
    morphA_ = current;
    morphB_ = other;
    morphMade_ = current;
}

RawData VarySession::MorphAt(double at, const VariationLocks& locks) {
    if (!morphA_)
        return morphMade_;
    morphMade_ = SoundVariation::Morph(*morphA_, morphB_, at, locks);
    return morphMade_;
}
