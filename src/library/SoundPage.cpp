#include "library/SoundPage.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <string_view>

#include "library/PrintableName.h"
#include "midi/ModuleGlobals.h"
#include "model/ClassSound.h"
#include "platform/FileAccess.h"
#include "tables/AlgorithmTable.h"
#include "tables/DestinationTable.h"
#include "tables/NodeTable.h"
#include "tables/WaveTables.h"

namespace {
constexpr const char* kTableStart = "<table border=\"0\" cellpadding=\"2\" >";

std::string Label(const std::string& label) {
    return "<tr><td bgcolor=\"#F0F0D0\" align=\"right\">" + label;
}

std::string Heading(const std::string& heading) {
    return "<td bgcolor=\"#F0F0D0\" align=\"center\">" + heading;
}

std::string Number(int value) {
    return std::to_string(value);
}

// The name may hold any byte. These four would otherwise be read as markup; control bytes (and
// the backslash) are written as `show` writes them (\xNN), and trailing NULs are dropped. Letters
// above 127 stay as they are: the page is Latin-1, as the synth's names are.
std::string Escaped(const std::string& text) {
    std::string escaped;
    const size_t length = text.find_last_not_of('\0') + 1;  // 0 when only NULs
    for (size_t i = 0; i < length; ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0) || c == '\\') {
                    constexpr char kDigits[] = "0123456789ABCDEF";
                    escaped += "\\x";
                    escaped += kDigits[byte >> 4];
                    escaped += kDigits[byte & 0x0F];
                } else {
                    escaped += c;
                }
        }
    }
    return escaped;
}

// Builds the page piece by piece; the first code without a name stops it.
class PageBuilder {
  public:
    explicit PageBuilder(const ClassSound& sound) : sound_(sound) {}

    bool Build(std::string& page, std::string& failure) {
        General();
        Nodes();
        Lfos();
        Envelopes();
        Modulation();
        if (!failure_.empty()) {
            failure = "Cannot export the sound \"" + PrintableName(sound_.Name()) +
                      "\" as a web page: " + failure_ + ". Nothing was written.";
            return false;
        }
        page = std::move(page_);
        return true;
    }

  private:
    // The name of code in list, or "" after noting the failure.
    std::string Named(std::string_view name, const std::string& what, int code, int last) {
        if (name.empty() && failure_.empty()) {
            failure_ =
                what + " is " + Number(code) + ", which has no name (0 to " + Number(last) + ")";
        }
        return std::string(name);
    }

    std::string Destination(int code, const std::string& what) {
        if (code < 0 || code >= kDestinationCount) {
            return Named("", what, code, kDestinationCount - 1);
        }
        return destinations_[code];
    }

    void General() {
        const int algorithm = sound_.Algorithm();
        page_ += "<html><head><title>Corvane ZEL-1 Editor</title></head><body>";
        page_ += "<h2>Sound Data</h2><hr><h3>General</h3>";
        page_ += kTableStart + Label("Name") + "</td><td>" + Escaped(sound_.Name()) + "</td></tr>";
        page_ += Label("Transpose") + "</td><td>" + Number(sound_.Transpose()) + "</td></tr>";
        page_ += Label("Algorithm") + "</td><td>" +
                 Named(IsAlgorithm(algorithm) ? AlgorithmName(algorithm) : "", "the algorithm",
                       algorithm, kAlgorithmCount - 1) +
                 "</td></tr></table>";
    }

    void Nodes() {
        for (int code = 0; code < kDestinationCount; ++code) {
            destinations_[code] = std::string(DestinationName(code));
        }
        page_ += "<h3>Nodes</h3>";
        page_ += kTableStart;
        for (int position = 0; position < sound_.NodeCount(); ++position) {
            const ClassNode& node = *sound_.Node(position);
            const std::string name(node.NodeName());
            // The other sections name the nodes of this sound's algorithm, not "Node n".
            if (position + 1 <= kLastNodeDestination)
                destinations_[position + 1] = name;
            page_ += Label(name) + "</td>";
            switch (node.NodeType()) {
                case kNodeTuned:
                    page_ += "<td>" + std::string(kTableStart) + "<tr>" + Heading("Detune") +
                             "</td>" + Heading("Detone") + "</td></tr>";
                    page_ += "<tr><td>" + Number(node.Detune()) + "</td><td>" +
                             Number(node.Detone()) +
                             (node.Fixed() ? "(fixed) </td></tr>" : "</td></tr>") + "</table></td>";
                    break;
                case kNodeWave:
                    page_ += "<td>" +
                             Named(NodeWaveName(node.Wave()), "the wave of " + name, node.Wave(),
                                   kNodeWaveCount - 1) +
                             "</td>";
                    break;
                default:
                    page_ += "<td><i>Non editable</i></td>";
            }
            page_ += "</tr>";
        }
        page_ += "</table><p>&nbsp;</p>";
    }

    void DestinationBlock(int slot, int code, int depth, const std::string& owner) {
        const std::string number = Number(slot + 1);
        page_ += Label("Destination " + number) + "</td><td>" + kTableStart + "<tr>" +
                 Heading("Node") + "</td>" + Heading("Depth") + "</td></tr>";
        page_ += "<tr><td>" + Destination(code, "destination " + number + " of " + owner) +
                 "</td><td>" + Number(depth) + "</td></tr></table></td></tr>";
    }

    void Lfos() {
        page_ += kTableStart + std::string("<tr>");
        for (int l = 0; l < ClassSound::kLfos; ++l) {
            const ClassLFO& lfo = *sound_.LFO(l);
            const std::string owner = "LFO " + Number(l + 1);
            page_ += "<td><h3>" + owner + "</h3>" + kTableStart;
            page_ += Label("Wave") + "</td><td>" +
                     Named(LfoWaveName(lfo.Wave()), "the wave of " + owner, lfo.Wave(),
                           kLfoWaveCount - 1) +
                     "</td></tr>";
            page_ += Label("Delay") + "</td><td>" + Number(lfo.Delay()) + "</td></tr>";
            page_ += Label("Speed") + "</td><td>" + Number(lfo.Rate()) + "</td></tr></table>";
            page_ += kTableStart;
            for (int slot = 0; slot < ClassLFO::kSlots; ++slot) {
                DestinationBlock(slot, lfo.DestinationNode(slot), lfo.DestinationDepth(slot),
                                 owner);
            }
            page_ += "</table></td>";
        }
        page_ += "</tr></table><p>&nbsp;</p>";
    }

    void Envelopes() {
        page_ += kTableStart + std::string("<tr>");
        for (int e = 0; e < ClassSound::kEnvelopes; ++e) {
            const ClassEnvelope& envelope = *sound_.Envelope(e);
            const std::string owner = "Envelope " + Number(e + 1);
            page_ += "<td><h3>" + owner + "</h3>" + kTableStart;
            page_ += Label("Node") + "</td>" + Heading("Rate") + "</td>" + Heading("Level") +
                     "</td></tr>";
            for (int p = 1; p <= ClassEnvelope::kPoints; ++p) {
                page_ += Label(Number(p)) + "</td>";
                page_ += "<td>" + Number(envelope.EnvelopeRate(p - 1)) +
                         (p == envelope.SustainPoint() ? " (sustain)</td>" : "</td>");
                page_ += "<td>" + Number(envelope.EnvelopeLevel(p - 1)) +
                         (p == envelope.EndPoint() ? " (end)</td></tr>" : "</td></tr>");
            }
            page_ += "</table>" + std::string(kTableStart);
            for (int slot = 0; slot < ClassEnvelope::kSlots; ++slot) {
                DestinationBlock(slot, envelope.DestinationNode(slot),
                                 envelope.DestinationDepth(slot), owner);
            }
            page_ += "</table></td>";
        }
        page_ += "</tr></table><p>&nbsp;</p>";
    }

    void Modulation() {
        page_ += kTableStart + std::string("<tr>");
        for (int m = 0; m < ClassSound::kModulations; ++m) {
            const ClassModulation& entry = *sound_.Modulation(m);
            const std::string owner = "Modulation Matrix " + Number(m + 1);
            page_ += "<td><h3>" + owner + "</h3>" + kTableStart;
            page_ += Label("Destination Node") + "</td><td>" +
                     Destination(entry.Destination(), "the destination of " + owner) + "</td></tr>";
            page_ += Label("Key Break") + "</td><td>" + NoteName(entry.KeyBreak()) +
                     (entry.KeyRightToLeft() ? " (right to left)</td></tr>"
                                             : " (left to right)</td></tr>");
            const std::array<std::pair<const char*, int>, 5> rows{{
                {"Key Depth", entry.KeyDepth()},
                {"Velocity", entry.Velocity()},
                {"Aftertouch", entry.AfterTouch()},
                {"Controller", entry.Controller()},
                {"Mod Wheel", entry.ModWheel()},
            }};
            for (const auto& [label, value] : rows) {
                page_ += Label(label) + "</td><td>" + Number(value) + "</td></tr>";
            }
            page_ += "</table></td>";
        }
        page_ += "</tr></table><p>&nbsp;</p></body></html>";
    }

    const ClassSound& sound_;
    std::string page_;
    std::string failure_;
    std::array<std::string, kDestinationCount> destinations_;
};
}  // namespace

bool BuildSoundPage(const ClassSound& sound, std::string& page, std::string& failure) {
    return PageBuilder(sound).Build(page, failure);
}

bool ExportSoundPage(const ClassSound& sound, const std::string& path, std::string& failure) {
    std::string page;
    if (!BuildSoundPage(sound, page, failure))
        return false;
    page += "\r\n";
    // The name's bytes go out as they are, one byte per character.
    const QByteArray bytes(page.data(), static_cast<qsizetype>(page.size()));
    std::string reason;
    if (!WriteWholeFile(QString::fromStdString(path), bytes, reason)) {
        failure = "Cannot save \"" + path + "\": " + reason +
                  ". An earlier file of that name is unchanged.";
        return false;
    }
    return true;
}
