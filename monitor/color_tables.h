#pragma once
// Constant colour data shared by the colour pages, the filter and the match wizard.
#include <string>

// Colour temperature presets as the monitors number them (page 0x30, code 0xE3).
constexpr int kColorTemperaturePresetCount = 25;
// Label of preset 0-24 ("OFF", "4000K" ... "15000K"); null for any other index.
const char* ColorTemperatureLabel(int preset);

// Gamma steps as the monitors number them (page 0x30, code 0xE4): 1.4, 1.6 ... 3.0.
constexpr int kGammaStepCount = 9;
constexpr int kDefaultGammaStep = 4;  // gamma 2.2
double GammaValue(int step);
// The value as the pages show it ("%1.1f").
std::string GammaText(int step);

// Models whose maximum luminance per preset is known from the factory, in the order
// of the match wizard's model list; row i of the luminance table belongs to name i.
constexpr int kLuminanceModelCount = 7;
const char* LuminanceModelName(int row);
// Row of a model name (exact comparison), -1 when the model has no row.
int LuminanceModelRow(const std::string& modelName);
// Maximum luminance of a model row at colour temperature preset 1-14; false for any
// other row or preset.
bool TableLuminance(int row, int preset, double* luminance);
