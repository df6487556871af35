#include "monitor/color_tables.h"

#include <cstdio>

namespace {

const char* const kPresetLabels[kColorTemperaturePresetCount] = {
    "OFF",    "4000K",  "4500K",  "5000K",  "5500K",  "6000K",  "6500K",  "7000K",  "7500K",
    "8000K",  "8500K",  "9000K",  "9300K",  "9500K",  "10000K", "10500K", "11000K", "11500K",
    "12000K", "12500K", "13000K", "13500K", "14000K", "14500K", "15000K"};

const char* const kModelNames[kLuminanceModelCount] = {"TQ6600W", "TQ5500W", "TQ4400W", "TQ3300W",
                                                       "TQ2200W", "TQ1100W", "TQ7000Q"};

// Presets 1 (4000K) to 14 (10000K); the monitors were measured only in that range.
constexpr int kFirstMeasuredPreset = 1;
constexpr int kMeasuredPresetCount = 14;

const double kMaxLuminance[kLuminanceModelCount][kMeasuredPresetCount] = {
    {204.7, 224.8, 243.3, 260.2, 274.0, 278.5, 275.7, 267.8, 257.6, 247.3, 238.2, 233.4, 230.4,
     223.7},
    {215.5, 235.4, 253.4, 269.5, 284.1, 297.0, 307.7, 307.5, 295.6, 283.3, 272.7, 267.1, 263.6,
     255.8},
    {198.0, 220.2, 241.0, 260.3, 277.1, 274.3, 261.9, 248.9, 236.8, 226.8, 218.5, 214.1, 211.4,
     205.3},
    {176.1, 193.4, 209.3, 223.8, 236.5, 245.0, 244.4, 236.9, 226.2, 217.0, 209.1, 204.9, 202.3,
     196.4},
    {160.1, 176.7, 192.1, 206.2, 219.1, 230.5, 228.5, 216.2, 205.6, 196.8, 189.4, 185.6, 183.2,
     177.9},
    {161.0, 177.3, 192.2, 205.8, 218.2, 225.4, 211.8, 199.9, 190.2, 182.2, 175.5, 172.0, 169.8,
     164.9},
    {204.7, 224.8, 243.3, 260.2, 274.0, 278.5, 275.7, 267.8, 257.6, 247.3, 238.2, 233.4, 230.4,
     223.7},
};

}  // namespace

const char* ColorTemperatureLabel(int preset) {
    if (preset < 0 || preset >= kColorTemperaturePresetCount) return nullptr;
    return kPresetLabels[preset];
}

double GammaValue(int step) {
    return (20 * step + 140) / 100.0;
}

std::string GammaText(int step) {
    char text[32];
    std::snprintf(text, sizeof text, "%1.1f", GammaValue(step));
    return text;
}

const char* LuminanceModelName(int row) {
    if (row < 0 || row >= kLuminanceModelCount) return nullptr;
    return kModelNames[row];
}

int LuminanceModelRow(const std::string& modelName) {
    for (int row = 0; row < kLuminanceModelCount; ++row)
        if (modelName == kModelNames[row]) return row;
    return -1;
}

bool TableLuminance(int row, int preset, double* luminance) {
    if (luminance == nullptr || row < 0 || row >= kLuminanceModelCount) return false;
    const int column = preset - kFirstMeasuredPreset;
    if (column < 0 || column >= kMeasuredPresetCount) return false;
    *luminance = kMaxLuminance[row][column];
    return true;
}
