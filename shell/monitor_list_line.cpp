#include "shell/monitor_list_line.h"

namespace shell {

std::string PadRight(const std::string& text, std::size_t width) {
    std::string padded = text;
    if (padded.size() < width) padded.append(width - padded.size(), ' ');
    return padded;
}

std::string FormatMonitorListLine(int index, const std::string& monitorWord,
                                  const std::string& label, const std::string& modelName,
                                  const std::string& serialNumber) {
    return std::to_string(index + 1) + ")    " + PadRight(monitorWord + label, 13) + "/  " +
           PadRight(modelName, 11) + "/  " + serialNumber;
}

}  // namespace shell
