#include "model/ClassNode.h"

#include <algorithm>

#include "midi/ModuleGlobals.h"
#include "midi/ModuleMIDI.h"
#include "tables/NodeTable.h"
#include "tables/SoundLayout.h"

using namespace SoundLayout;

ClassNode::ClassNode(ModuleMIDI& midi) : midi_(midi) {}

void ClassNode::Initialise(int16_t soundNumber, int16_t position, int16_t nodeNumber) {
    soundNumber_ = soundNumber;
    // A position outside 0..8 would address bytes of other records.
    position_ = static_cast<int16_t>(std::clamp<int>(position, 0, kNodePositions - 1));
    nodeNumber_ = nodeNumber;
}

int16_t ClassNode::NodeType() const {
    return ::NodeType(nodeNumber_);
}

std::string_view ClassNode::NodeName() const {
    return ::NodeName(nodeNumber_);
}

int ClassNode::FirstByte() const {
    return NodeFirstByte(position_);
}

int16_t ClassNode::SecondByteValue() const {
    return static_cast<int16_t>(detone_ + kDetoneBias + (fixed_ ? kFixedBit : 0));
}

void ClassNode::Send(int offset, int value) {
    midi_.SendParameter(soundNumber_, offset, value);
}

void ClassNode::DecodeRaw(const RawData& raw) {
    if (static_cast<int>(raw.size()) <= SecondByte())
        return;
    const int16_t first = static_cast<int16_t>(raw[FirstByte()] & 0xFF);
    const int16_t second = static_cast<int16_t>(raw[SecondByte()] & 0xFF);
    switch (NodeType()) {
        case kNodeTuned:
            detune_ = SignedFromByte(first);
            detone_ = static_cast<int16_t>((second & 0x7F) - kDetoneBias);
            fixed_ = BitIsSet(second, 7);
            break;
        case kNodeWave:
            wave_ = first;
            break;
        default:
            break;
    }
}

void ClassNode::EncodeRaw(RawData& raw) const {
    if (static_cast<int>(raw.size()) <= SecondByte())
        return;
    int first = 0;
    int second = 0;
    switch (NodeType()) {
        case kNodeTuned:
            first = ByteFromSigned(detune_);
            second = SecondByteValue();
            break;
        case kNodeWave:
            first = wave_;
            break;
        default:
            break;
    }
    raw[FirstByte()] = static_cast<int16_t>(first & 0xFF);
    raw[SecondByte()] = static_cast<int16_t>(second & 0xFF);
}

void ClassNode::DefaultValue() {
    detune_ = 0;
    detone_ = 0;
    wave_ = 0;
    fixed_ = false;
    Send(FirstByte(), 0);
    Send(SecondByte(), NodeType() == kNodeTuned ? kDetoneBias : 0);
}

void ClassNode::SetDetune(int16_t value) {
    detune_ = value;
    Send(FirstByte(), value);
}

void ClassNode::SetDetone(int16_t value) {
    detone_ = value;
    Send(SecondByte(), SecondByteValue());
}

void ClassNode::SetFixed(bool value) {
    fixed_ = value;
    Send(SecondByte(), SecondByteValue());
}

void ClassNode::SetWave(int16_t value) {
    wave_ = value;
    Send(FirstByte(), value);
    Send(SecondByte(), 0);
}
