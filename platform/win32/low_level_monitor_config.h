#pragma once
// The low-level Monitor Configuration calls of dxva2. MinGW-w64 ships the
// physical-monitor enumeration header but not this one; libdxva2.a exports the
// functions, so the declarations are all that is missing.
#include <windows.h>

#include <physicalmonitorenumerationapi.h>

extern "C" {

#ifndef VISTREL_MC_VCP_CODE_TYPE_DECLARED
#define VISTREL_MC_VCP_CODE_TYPE_DECLARED
typedef enum _MC_VCP_CODE_TYPE {
    MC_MOMENTARY,
    MC_SET_PARAMETER
} MC_VCP_CODE_TYPE,
    *LPMC_VCP_CODE_TYPE;
#endif

BOOL WINAPI GetVCPFeatureAndVCPFeatureReply(HANDLE hMonitor, BYTE bVCPCode, LPMC_VCP_CODE_TYPE pvct,
                                            LPDWORD pdwCurrentValue, LPDWORD pdwMaximumValue);
BOOL WINAPI SetVCPFeature(HANDLE hMonitor, BYTE bVCPCode, DWORD dwNewValue);
BOOL WINAPI GetCapabilitiesStringLength(HANDLE hMonitor,
                                        LPDWORD pdwCapabilitiesStringLengthInCharacters);
BOOL WINAPI CapabilitiesRequestAndCapabilitiesReply(HANDLE hMonitor,
                                                    LPSTR pszASCIICapabilitiesString,
                                                    DWORD dwCapabilitiesStringLengthInCharacters);

}  // extern "C"
