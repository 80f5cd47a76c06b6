// The code that BASS_ErrorGetCode reports: that of the calling thread's latest BASS call.
#pragma once

#include "Platform/Audio/Bass.h"

class ErrorState {
public:
    // Records code for the calling thread and returns whether it was BASS_OK.
    static bool Set(int code) {
        lastCode = code;
        return code == BASS_OK;
    }
    static int Last() { return lastCode; }

private:
    static inline thread_local int lastCode = BASS_OK;
};
