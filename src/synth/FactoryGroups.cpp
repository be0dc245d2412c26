#include <array>
#include <string_view>

#include "synth/FactoryContent.h"

namespace {
// Modulation switches: velocity, controller, mod wheel, aftertouch, pitch bend, LFO.
constexpr int kVel = 1, kCtl = 2, kWheel = 4, kAft = 8, kBend = 16, kLfo = 32;
constexpr int kAll = kVel | kCtl | kWheel | kAft | kBend | kLfo;
constexpr int kLowest = 24, kHighest = 102;
constexpr int kOmni = 0;

struct BankSetup {
    int sound, channel, volume, pan, switches, transpose, detune, low, high;
};

struct GroupSetup {
    std::string_view name;
    int used;  // banks given below; the others stay on their idle setup
    std::array<BankSetup, 8> banks;
};

// A bank a group does not use: its own user sound on one of the upper channels, so it stays
// quiet while the lower channels play.
constexpr BankSetup Idle(int bank) {
    return {bank, 9 + bank, 80, 0, kAll, 0, 0, kLowest, kHighest};
}

constexpr std::array<GroupSetup, 20> kGroups = {{
    {"Multi 1-8",
     8,
     {{{0, 1, 90, -6, kAll, 0, 0, kLowest, kHighest},
       {1, 2, 90, -4, kAll, 0, 0, kLowest, kHighest},
       {2, 3, 88, -2, kAll, 0, 0, kLowest, kHighest},
       {3, 4, 88, 0, kAll, 0, 0, kLowest, kHighest},
       {4, 5, 86, 0, kAll, 0, 0, kLowest, kHighest},
       {5, 6, 86, 2, kAll, 0, 0, kLowest, kHighest},
       {6, 7, 84, 4, kAll, 0, 0, kLowest, kHighest},
       {7, 8, 84, 6, kAll, 0, 0, kLowest, kHighest}}}},
    {"Band Setup",
     8,
     {{{98, 10, 95, 0, kVel, 0, 0, kLowest, kHighest},
       {26, 2, 92, 0, kVel | kBend, 0, 0, kLowest, kHighest},
       {28, 3, 80, -3, kWheel | kLfo, 0, 0, kLowest, kHighest},
       {88, 4, 82, 3, kVel | kBend, 0, 0, kLowest, kHighest},
       {41, 5, 70, -2, kAll, 0, 0, kLowest, kHighest},
       {62, 6, 75, -5, kVel | kAft, 0, 0, kLowest, kHighest},
       {51, 7, 85, 5, kVel | kBend | kAft, 0, 0, kLowest, kHighest},
       {85, 1, 90, 0, kVel, 0, 0, kLowest, kHighest}}}},
    {"Bass/Piano",
     2,
     {{{46, 1, 95, -2, kVel | kBend, 0, 0, kLowest, 59},
       {85, 1, 90, 2, kVel | kCtl, 0, 0, 60, kHighest}}}},
    {"Str Layer",
     3,
     {{{62, 1, 90, -4, kVel | kAft | kWheel, 0, -7, kLowest, kHighest},
       {91, 1, 75, 4, kVel | kLfo, 0, 7, kLowest, kHighest},
       {42, 1, 70, 0, kAft, -12, 0, kLowest, 60}}}},
    {"Brass Sect",
     3,
     {{{51, 1, 92, -4, kVel | kBend | kAft, 0, -3, kLowest, kHighest},
       {30, 1, 88, 4, kVel | kBend | kAft, 0, 3, kLowest, kHighest},
       {70, 1, 70, 0, kVel | kWheel, -12, 0, kLowest, 72}}}},
    {"OrganSplit",
     2,
     {{{71, 1, 85, -3, kWheel, 0, 0, kLowest, 53},
       {28, 1, 90, 3, kWheel | kCtl | kLfo, 0, 0, 54, kHighest}}}},
    {"Pad Stack",
     3,
     {{{20, 1, 85, -5, kAll, 0, -5, kLowest, kHighest},
       {58, 1, 80, 5, kAll, 0, 5, kLowest, kHighest},
       {91, 1, 75, 0, kWheel | kLfo, 12, 0, 48, kHighest}}}},
    {"Bells+Pad",
     3,
     {{{29, 1, 88, -3, kVel, 0, 0, kLowest, kHighest},
       {89, 1, 80, 3, kVel | kLfo, 12, 2, kLowest, kHighest},
       {41, 1, 72, 0, kAft | kWheel, 0, -2, kLowest, kHighest}}}},
    {"Drum&Bass",
     4,
     {{{99, 10, 97, 0, kVel, 0, 0, kLowest, kHighest},
       {76, 2, 94, 0, kVel | kCtl | kBend, 0, 0, kLowest, kHighest},
       {87, 3, 85, -4, kVel, -12, 0, kLowest, kHighest},
       {81, 4, 60, 6, kLfo | kCtl, 0, 0, kLowest, kHighest}}}},
    {"Lead Duo",
     2,
     {{{27, 1, 92, -2, kVel | kBend | kWheel, 0, -4, kLowest, kHighest},
       {45, 1, 80, 2, kBend | kWheel | kLfo, 12, 4, kLowest, kHighest}}}},
    {"Guitarzone",
     3,
     {{{82, 1, 90, -6, kVel | kBend, 0, 0, kLowest, kHighest},
       {25, 2, 85, 6, kVel | kBend, 0, 0, kLowest, kHighest},
       {88, 3, 88, 0, kVel, 0, 0, kLowest, kHighest}}}},
    {"Harpsi Duo",
     3,
     {{{35, 1, 88, -3, kVel, 0, 0, kLowest, kHighest},
       {84, 1, 85, 3, kVel, 0, 5, kLowest, kHighest},
       {52, 2, 80, 0, kVel | kCtl, 0, 0, kLowest, kHighest}}}},
    {"FluteChoir",
     3,
     {{{40, 1, 90, -5, kVel | kAft | kLfo, 0, -2, kLowest, kHighest},
       {64, 1, 80, 5, kVel | kBend | kLfo, 12, 2, 48, kHighest},
       {69, 1, 70, 0, kVel | kAft, -12, 0, kLowest, 72}}}},
    {"Keys 4 Way",
     4,
     {{{56, 1, 95, -4, kVel | kBend, 0, 0, kLowest, 47},
       {33, 1, 88, -1, kVel | kCtl, 0, 0, 48, 71},
       {37, 1, 85, 2, kVel | kWheel, 0, 0, 72, 89},
       {34, 1, 80, 5, kVel | kLfo, 0, 0, 90, kHighest}}}},
    {"FX Zone",
     5,
     {{{93, 11, 80, -7, kAll, 0, 0, kLowest, kHighest},
       {94, 12, 80, 7, kAll, 0, 0, kLowest, kHighest},
       {95, 13, 75, -3, kCtl | kLfo, 0, 0, kLowest, kHighest},
       {96, 14, 75, 3, kWheel | kLfo, 0, 0, kLowest, kHighest},
       {97, 15, 85, 0, kVel | kAft, 0, 0, kLowest, kHighest}}}},
    {"Velo Layer",
     2,
     {{{32, 1, 90, -2, kVel | kAft, 0, 0, kLowest, kHighest},
       {90, 1, 70, 2, kVel, 0, 3, kLowest, kHighest}}}},
    {"User Multi",
     8,
     {{{8, 1, 90, -7, kAll, 0, 0, kLowest, kHighest},
       {9, 2, 90, -5, kAll, 0, 0, kLowest, kHighest},
       {10, 3, 90, -3, kAll, 0, 0, kLowest, kHighest},
       {11, 4, 90, -1, kAll, 0, 0, kLowest, kHighest},
       {12, 5, 90, 1, kAll, 0, 0, kLowest, kHighest},
       {13, 6, 90, 3, kAll, 0, 0, kLowest, kHighest},
       {14, 7, 90, 5, kAll, 0, 0, kLowest, kHighest},
       {15, 8, 90, 7, kAll, 0, 0, kLowest, kHighest}}}},
    {"WideUnison",
     8,
     {{{0, kOmni, 60, -7, kAll, 0, -19, kLowest, kHighest},
       {0, kOmni, 60, -5, kAll, 0, -13, kLowest, kHighest},
       {0, kOmni, 60, -3, kAll, 0, -8, kLowest, kHighest},
       {0, kOmni, 60, -1, kAll, 0, -3, kLowest, kHighest},
       {0, kOmni, 60, 1, kAll, 0, 3, kLowest, kHighest},
       {0, kOmni, 60, 3, kAll, 0, 8, kLowest, kHighest},
       {0, kOmni, 60, 5, kAll, 0, 13, kLowest, kHighest},
       {0, kOmni, 60, 7, kAll, 0, 19, kLowest, kHighest}}}},
    {"Octaves",
     3,
     {{{48, 1, 85, 0, kWheel | kLfo, -12, 0, kLowest, kHighest},
       {48, 1, 90, -4, kWheel | kLfo, 0, 1, kLowest, kHighest},
       {48, 1, 80, 4, kWheel | kLfo, 12, -1, kLowest, kHighest}}}},
    {"Sequence B",
     8,
     {{{12, 9, 88, 0, kVel, 0, 0, kLowest, kHighest},
       {13, 10, 92, 0, kVel, 0, 0, kLowest, kHighest},
       {14, 11, 85, -3, kVel | kBend, 0, 0, kLowest, kHighest},
       {15, 12, 85, 3, kVel | kBend, 0, 0, kLowest, kHighest},
       {16, 13, 80, -5, kVel | kWheel, 0, 0, kLowest, kHighest},
       {17, 14, 80, 5, kVel | kWheel, 0, 0, kLowest, kHighest},
       {18, 15, 75, -1, kVel | kAft, 0, 0, kLowest, kHighest},
       {19, 16, 75, 1, kVel | kAft, 0, 0, kLowest, kHighest}}}},
}};

int16_t Byte(int value) {
    return static_cast<int16_t>(value & 0xFF);
}
}  // namespace

RawData FactoryContent::Group(int number) {
    if (number < 0 || number >= static_cast<int>(kGroups.size()))
        return {};
    const GroupSetup& group = kGroups[number];
    RawData raw(kGroupBytes, 0);
    // The banks are stored by rows: byte 8p + b is parameter p of bank b.
    for (int b = 0; b < 8; ++b) {
        const BankSetup bank = b < group.used ? group.banks[b] : Idle(b);
        const int row[9] = {bank.sound,     bank.channel, bank.volume, bank.pan, bank.switches,
                            bank.transpose, bank.detune,  bank.low,    bank.high};
        for (int p = 0; p < 9; ++p)
            raw[8 * p + b] = Byte(row[p]);
    }
    for (size_t i = 0; i < 10; ++i) {
        raw[72 + i] = i < group.name.size() ? static_cast<unsigned char>(group.name[i]) : ' ';
    }
    return raw;
}

RawData FactoryContent::Globals() {
    // Controller 1, system channel 1, memory unprotected, every kind of data accepted, no master
    // tune, pitch-bend range 2, last-note priority.
    return RawData{1, 1, 0, 0x3F, 0, 2, 0};
}
