#pragma once
// What a monitor says it supports, parsed from its two capabilities texts: the
// MCCS capabilities string and the maker's extended capabilities (block 0 of the
// maker's information blocks). Every feature request is checked against these
// maps before any DDC/CI traffic.
//
// Pure text processing: no platform dependency, no exceptions, any byte
// sequence is accepted as input.
#include <cstdint>
#include <map>
#include <string>

// VCP code -> value. A code listed without a value list has one element with
// value -1 (any value); a code with a value list has one element per listed
// value and no -1 element. Equal codes keep the order in which they were
// listed, duplicates included.
using FeatureMap = std::multimap<std::uint8_t, std::int32_t>;

// A register of one of the maker's pages. Ordered by page, then code.
struct ExtendedFeatureKey {
    std::uint16_t page = 0;
    std::uint8_t code = 0;

    friend bool operator<(const ExtendedFeatureKey& a, const ExtendedFeatureKey& b) {
        return a.page != b.page ? a.page < b.page : a.code < b.code;
    }
    friend bool operator==(const ExtendedFeatureKey& a, const ExtendedFeatureKey& b) {
        return a.page == b.page && a.code == b.code;
    }
};

// (page, code) -> value, with the same -1 convention as FeatureMap.
using ExtendedFeatureMap = std::multimap<ExtendedFeatureKey, std::int32_t>;

// Parses an MCCS capabilities string ("...vcp(02 04 10 14(05 08 0b))mswhql(1)mccs_ver(2.1)")
// and adds its vcp list to `features`; the map is not cleared first. Fails,
// adding nothing, when the text is empty, has no "vcp(" list or lacks either of
// the ")mswhql" and ")mccs_ver" markers that close it.
bool ParseCapabilities(const std::string& text, FeatureMap& features);

// Parses the maker's extended capabilities, a sequence of page groups such as
// "10(e2 e3 e4)30(e2(00 01 02) e3)", and adds them to `features` (not cleared
// first). Fails only for an empty text; a text of white space alone succeeds
// and adds nothing.
bool ParseExtendedCapabilities(const std::string& text, ExtendedFeatureMap& features);

// True when `code` is listed and, unless `value` is -1, when `value` is one of
// its listed values or the code takes any value.
bool HasFeature(const FeatureMap& features, std::uint8_t code, std::int32_t value);

// The same question for a register of a maker page.
bool HasExtendedFeature(const ExtendedFeatureMap& features, std::uint16_t page, std::uint8_t code,
                        std::int32_t value);

// Whether a write of `value` is allowed: the code is listed and takes any value
// or lists this one. The value is always a concrete one here, so no value (not
// even one that would read as -1 in 32 signed bits) counts as the wildcard.
bool ListsWriteValue(const FeatureMap& features, std::uint8_t code, std::uint32_t value);
bool ListsWriteValue(const ExtendedFeatureMap& features, std::uint16_t page, std::uint8_t code,
                     std::uint32_t value);
