#include "sim/transaction.h"

#include <cstdio>

#include "sim/register_key.h"

namespace sim {

const char* KindName(TransactionKind kind) {
    switch (kind) {
        case TransactionKind::Get:
            return "get";
        case TransactionKind::Set:
            return "set";
        case TransactionKind::CapsLength:
            return "caps-length";
        case TransactionKind::CapsRequest:
            return "caps-request";
    }
    return "?";
}

const char* OutcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::Ok:
            return "ok";
        case Outcome::Fault:
            return "fault";
        case Outcome::TooEarly:
            return "too-early";
        case Outcome::Unsupported:
            return "unsupported";
        case Outcome::Refused:
            return "refused";
        case Outcome::Disconnected:
            return "disconnected";
        case Outcome::BadHandle:
            return "bad-handle";
    }
    return "?";
}

std::string Describe(const Transaction& t) {
    char text[160];
    const std::string where = t.page == 0 || t.code < 0xE2
                                  ? FormatRegisterKey(RegisterKey{0, t.code})
                                  : FormatRegisterKey(RegisterKey{t.page, t.code});
    switch (t.kind) {
        case TransactionKind::Get:
            std::snprintf(text, sizeof text, "m%d get %s -> %u/%u @%u %s", t.monitor, where.c_str(),
                          static_cast<unsigned>(t.value), static_cast<unsigned>(t.maximum),
                          static_cast<unsigned>(t.time), OutcomeName(t.result));
            break;
        case TransactionKind::Set:
            std::snprintf(text, sizeof text, "m%d set %s=%u @%u %s", t.monitor, where.c_str(),
                          static_cast<unsigned>(t.value), static_cast<unsigned>(t.time),
                          OutcomeName(t.result));
            break;
        default:
            std::snprintf(text, sizeof text, "m%d %s %u @%u %s", t.monitor, KindName(t.kind),
                          static_cast<unsigned>(t.value), static_cast<unsigned>(t.time),
                          OutcomeName(t.result));
            break;
    }
    return text;
}

}  // namespace sim
