#pragma once
#include <string>

namespace shell {

// One line of the monitor connection list: "1)    Monitor1     /  Model      /  Serial".
// monitorWord is the localised word for "Monitor"; index is 0-based.
std::string FormatMonitorListLine(int index, const std::string& monitorWord,
                                  const std::string& label, const std::string& modelName,
                                  const std::string& serialNumber);

// Pads with blanks on the right to `width` characters; longer text stays whole.
std::string PadRight(const std::string& text, std::size_t width);

}  // namespace shell
