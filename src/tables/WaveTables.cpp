#include "tables/WaveTables.h"

const std::array<std::string_view, kNodeWaveCount> kNodeWaveNames = {"Sine",
                                                                     "Triangle",
                                                                     "Square",
                                                                     "Square Smoothed",
                                                                     "Square With Resonance",
                                                                     "Sawtooth",
                                                                     "Sawtooth With Resonance",
                                                                     "Bassy Brass",
                                                                     "Wind 2",
                                                                     "Vocal AHH",
                                                                     "Vocal OHH",
                                                                     "Bass Sustain",
                                                                     "Smooth Text",
                                                                     "Chimes",
                                                                     "Glass",
                                                                     "Marimba Attack",
                                                                     "Piano Rough",
                                                                     "Piano B",
                                                                     "Church Organ",
                                                                     "Wind Sustain",
                                                                     "Bass Sustain",
                                                                     "Bowed",
                                                                     "Smooth String",
                                                                     "Noise 3",
                                                                     "Noise 4",
                                                                     "Hard Clip",
                                                                     "Soft Clip",
                                                                     "Smooth Brass 1",
                                                                     "Smooth Brass 2",
                                                                     "Smooth Bass",
                                                                     "Whistle",
                                                                     "Smooth Sawtooth"};

const std::array<std::string_view, kLfoWaveCount> kLfoWaveNames = {
    "Sine",     "Triangle",   "Square",   "Saw Up",  "Saw Down",
    "Trill Up", "Trill Down", "Random 1", "Random 2"};

std::string_view NodeWaveName(int wave) {
    return wave >= 0 && wave < kNodeWaveCount ? kNodeWaveNames[wave] : std::string_view{};
}

std::string_view LfoWaveName(int wave) {
    return wave >= 0 && wave < kLfoWaveCount ? kLfoWaveNames[wave] : std::string_view{};
}
