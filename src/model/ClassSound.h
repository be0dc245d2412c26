#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "midi/RawData.h"
#include "model/ClassEnvelope.h"
#include "model/ClassLFO.h"
#include "model/ClassModulation.h"
#include "model/ClassNode.h"

class ModuleMIDI;

// One sound of the ZEL-1: name, algorithm, transpose, four envelopes, two LFOs, four modulation
// entries and the nodes of its algorithm. It mirrors the synth's slot Number: every setter sends
// its parameter changes at once, and the whole sound moves as the 138-byte raw sound.
//
// Sub-records are reached by index; an index outside its range gives nullptr (a caller's error).
// Nodes are rebuilt on every decode and algorithm change, so holders of a node fetch it again
// after DataChanged.
class ClassSound : public QObject {
    Q_OBJECT

  public:
    static constexpr int kEnvelopes = 4;
    static constexpr int kLfos = 2;
    static constexpr int kModulations = 4;

    explicit ClassSound(ModuleMIDI& midi);
    ~ClassSound() override;

    int16_t Number() const { return number_; }
    // Stores the slot number; the sub-records and nodes address their messages with it too.
    void SetNumber(int16_t number);

    // Resets the sound to its defaults and sends them, record by record.
    void DefaultValues();
    // Loads every field from a raw sound of 138 elements or more and raises DataChanged; a
    // shorter array is refused (false, nothing changes). Sends nothing.
    bool DecodeRawSound(const RawData& raw);
    // Writes elements 0..137; an array shorter than 138 is refused (false, left as it is).
    bool EncodeRawSound(RawData& raw) const;
    // The sound as a fresh 138-element raw sound.
    RawData EncodeRawSound() const;
    // Reads this sound from the synth; false (object unchanged) when the exchange fails or the
    // reply is no complete single sound.
    bool RequestSound();
    // Writes the first 138 elements of raw to the synth's slot Number and loads them; false
    // (object unchanged, nothing sent for a short array) on failure.
    bool SendSound(const RawData& raw);

    // Puts the synth's slot and this object to raw (138 elements or more; shorter is refused):
    // a parameter change for each byte that differs from what the object holds, or one dump
    // when more than maxChanges differ. Raises DataChanged. False when the dump failed.
    bool RestoreRawSound(const RawData& raw, int maxChanges);

    // The stored name without trailing blanks.
    std::string Name() const;
    // The stored ten characters ("" in a fresh object).
    const std::string& StoredName() const { return name_; }
    // Normalises, stores and sends all ten characters; raises DataChanged.
    void SetName(const std::string& text);

    int16_t Algorithm() const { return algorithm_; }
    // Stores the algorithm, rebuilds the nodes with their defaults (each sends), sends the
    // algorithm and raises DataChanged. A number outside 0..27 is ignored.
    void SetAlgorithm(int16_t algorithm);
    int16_t Transpose() const { return transpose_; }
    void SetTranspose(int16_t transpose);

    ClassEnvelope* Envelope(int index);
    const ClassEnvelope* Envelope(int index) const;
    ClassLFO* LFO(int index);
    const ClassLFO* LFO(int index) const;
    ClassModulation* Modulation(int index);
    const ClassModulation* Modulation(int index) const;

    // The nodes of the algorithm in position order (position = index).
    int NodeCount() const { return static_cast<int>(nodes_.size()); }
    ClassNode* Node(int position);
    const ClassNode* Node(int position) const;

  signals:
    void DataChanged();

  private:
    void ClearNodes();
    std::unique_ptr<ClassNode> MakeNode(int position, int16_t nodeNumber);

    ModuleMIDI& midi_;
    int16_t number_ = 0;
    std::string name_;
    int16_t algorithm_ = 0;
    int16_t transpose_ = 0;
    std::array<std::unique_ptr<ClassEnvelope>, kEnvelopes> envelopes_;
    std::array<std::unique_ptr<ClassLFO>, kLfos> lfos_;
    std::array<std::unique_ptr<ClassModulation>, kModulations> modulations_;
    std::vector<std::unique_ptr<ClassNode>> nodes_;
    // The node bytes of a decoded sound whose algorithm the table does not know: kept as they
    // came so that encoding gives them back unchanged. Empty otherwise.
    RawData unknownNodeBytes_;
};
