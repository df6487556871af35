#pragma once
// One DDC/CI command as a simulated monitor saw it. Tests assert against the
// desk's list of these to check the exact traffic a piece of code produced.
#include <cstdint>
#include <string>

namespace sim {

enum class TransactionKind {
    Get,          // GetVCPFeatureAndVCPFeatureReply
    Set,          // SetVCPFeature
    CapsLength,   // GetCapabilitiesStringLength
    CapsRequest,  // CapabilitiesRequestAndCapabilitiesReply
};

enum class Outcome {
    Ok,
    Fault,        // an injected failure (fail-next, failure rate, failing code, dropped block read)
    TooEarly,     // arrived before the previous command's settling time had passed
    Unsupported,  // the monitor has no such register (or reads a write-only one)
    Refused,      // the register exists but rejects the value or the access
    Disconnected,  // the monitor does not answer on DDC/CI at all
    BadHandle,     // unknown or destroyed physical monitor handle
};

struct Transaction {
    int monitor = -1;  // desk-wide monitor index; -1 for an unknown handle
    TransactionKind kind = TransactionKind::Get;
    std::uint8_t code = 0;      // VCP code; 0 for the capabilities calls
    std::uint32_t value = 0;    // Set: value as passed; Get: current value answered;
                                // CapsLength: length answered; CapsRequest: buffer length
    std::uint32_t maximum = 0;  // Get: maximum value answered
    std::uint16_t page = 0;     // page selected in the monitor when the command arrived
    std::uint32_t time = 0;     // clock tick when the command arrived
    Outcome result = Outcome::Ok;

    bool ok() const { return result == Outcome::Ok; }
};

const char* KindName(TransactionKind kind);
const char* OutcomeName(Outcome outcome);
// "m0 set 30:E2=3 @1200 ok": one line per transaction, for test failure messages.
std::string Describe(const Transaction& transaction);

}  // namespace sim
