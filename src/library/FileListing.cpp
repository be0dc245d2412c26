#include "library/FileListing.h"

#include <array>
#include <sstream>

#include "library/PrintableName.h"
#include "midi/ModuleGlobals.h"
#include "model/ClassBank.h"
#include "model/ClassGroup.h"
#include "model/ClassSound.h"
#include "tables/AlgorithmTable.h"
#include "tables/DestinationTable.h"
#include "tables/NodeTable.h"
#include "tables/PresetNames.h"
#include "tables/WaveTables.h"

namespace {
constexpr int kCount = 20;

std::string OrNumber(std::string_view name, int code) {
    return name.empty() ? "code " + std::to_string(code) : std::string(name);
}

RawData Slice(const RawData& data, size_t start, size_t count) {
    return RawData(data.begin() + static_cast<std::ptrdiff_t>(start),
                   data.begin() + static_cast<std::ptrdiff_t>(start + count));
}

std::string DestinationText(const ClassSound& sound, int code) {
    const int position = DestinationNodePosition(code);
    if (position >= 0 && position < sound.NodeCount()) {
        return std::string(sound.Node(position)->NodeName());
    }
    return OrNumber(DestinationName(code), code);
}

void ListSound(std::ostream& text, const ClassSound& sound) {
    text << "Name: " << PrintableName(sound.Name()) << '\n'
         << "Transpose: " << sound.Transpose() << '\n'
         << "Algorithm: " << sound.Algorithm() << ' '
         << OrNumber(IsAlgorithm(sound.Algorithm()) ? AlgorithmName(sound.Algorithm()) : "",
                     sound.Algorithm())
         << '\n';
    for (int position = 0; position < sound.NodeCount(); ++position) {
        const ClassNode& node = *sound.Node(position);
        text << "Node " << position + 1 << ": " << node.NodeName();
        if (node.NodeType() == kNodeTuned) {
            text << ", detune " << node.Detune() << ", detone " << node.Detone()
                 << (node.Fixed() ? ", fixed" : "");
        } else if (node.NodeType() == kNodeWave) {
            text << ", " << OrNumber(NodeWaveName(node.Wave()), node.Wave());
        }
        text << '\n';
    }
    for (int e = 0; e < ClassSound::kEnvelopes; ++e) {
        const ClassEnvelope& envelope = *sound.Envelope(e);
        text << "Envelope " << e + 1 << ": rate/level";
        for (int p = 0; p < ClassEnvelope::kPoints; ++p) {
            text << ' ' << envelope.EnvelopeRate(p) << '/' << envelope.EnvelopeLevel(p);
        }
        text << ", sustain " << envelope.SustainPoint() << ", end " << envelope.EndPoint();
        for (int slot = 0; slot < ClassEnvelope::kSlots; ++slot) {
            text << ", " << DestinationText(sound, envelope.DestinationNode(slot)) << ' '
                 << envelope.DestinationDepth(slot);
        }
        text << '\n';
    }
    for (int l = 0; l < ClassSound::kLfos; ++l) {
        const ClassLFO& lfo = *sound.LFO(l);
        text << "LFO " << l + 1 << ": " << OrNumber(LfoWaveName(lfo.Wave()), lfo.Wave())
             << ", delay " << lfo.Delay() << ", speed " << lfo.Rate();
        for (int slot = 0; slot < ClassLFO::kSlots; ++slot) {
            text << ", " << DestinationText(sound, lfo.DestinationNode(slot)) << ' '
                 << lfo.DestinationDepth(slot);
        }
        text << '\n';
    }
    for (int m = 0; m < ClassSound::kModulations; ++m) {
        const ClassModulation& entry = *sound.Modulation(m);
        text << "Modulation " << m + 1 << ": " << DestinationText(sound, entry.Destination())
             << ", key break " << NoteName(entry.KeyBreak())
             << (entry.KeyRightToLeft() ? " right to left" : " left to right") << ", key depth "
             << entry.KeyDepth() << ", velocity " << entry.Velocity() << ", aftertouch "
             << entry.AfterTouch() << ", controller " << entry.Controller() << ", mod wheel "
             << entry.ModWheel() << '\n';
    }
}

std::string SoundName(int number) {
    if (number >= 0 && number < kCount)
        return "user sound " + std::to_string(number);
    return OrNumber(PresetSoundName(number), number);
}

void ListGroup(std::ostream& text, const ClassGroup& group) {
    text << "Name: " << PrintableName(group.Name()) << '\n';
    for (int b = 0; b < ClassBank::kBankCount; ++b) {
        const ClassBank& bank = *group.Bank(b);
        text << "Bank " << b + 1 << ": " << SoundName(bank.SoundNumber()) << ", channel "
             << (bank.Channel() == 0 ? std::string("Omni") : std::to_string(bank.Channel()))
             << ", volume " << bank.Volume() << ", pan " << bank.Pan() << ", transpose "
             << bank.Transpose() << ", detune " << bank.Detune() << ", keys "
             << ClassBank::KeyName(bank.LowSplit()) << " to "
             << ClassBank::KeyName(bank.HighSplit());
        const std::array<std::pair<const char*, bool>, 6> switches{{
            {"velocity", bank.ModVelocity()},
            {"controller", bank.ModController()},
            {"mod wheel", bank.ModModWheel()},
            {"aftertouch", bank.ModAftertouch()},
            {"pitch bend", bank.ModPitchBend()},
            {"LFO", bank.ModLfo()},
        }};
        for (const auto& [name, on] : switches) {
            if (on)
                text << ", " << name;
        }
        text << '\n';
    }
}
}  // namespace

std::string ListFile(FileKind kind, const RawData& data, ModuleMIDI& midi) {
    std::ostringstream text;
    ClassSound sound(midi);
    ClassGroup group(midi);
    switch (kind) {
        case FileKind::Sound:
        case FileKind::Snd:
            sound.DecodeRawSound(data);
            ListSound(text, sound);
            break;
        case FileKind::AllSounds:
        case FileKind::Als:
            for (int n = 0; n < kCount; ++n) {
                sound.DecodeRawSound(
                    Slice(data, static_cast<size_t>(kSoundFileBytes) * n, kSoundFileBytes));
                text << n << ": " << PrintableName(sound.Name()) << " ("
                     << OrNumber(
                            IsAlgorithm(sound.Algorithm()) ? AlgorithmName(sound.Algorithm()) : "",
                            sound.Algorithm())
                     << ")\n";
            }
            break;
        case FileKind::Group:
            group.DecodeRawGroup(data);
            ListGroup(text, group);
            break;
        case FileKind::AllGroups:
            for (int n = 0; n < kCount; ++n) {
                group.DecodeRawGroup(
                    Slice(data, static_cast<size_t>(kGroupFileBytes) * n, kGroupFileBytes));
                text << n << ": " << PrintableName(group.Name()) << '\n';
            }
            break;
        case FileKind::Html:
        case FileKind::Other:
            break;
    }
    return text.str();
}
