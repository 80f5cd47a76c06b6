// The holder of the named cube render targets.
#pragma once

#include "Framework/Singleton.h"

class RTCubeHandler : public Singleton<RTCubeHandler> {
public:
    RTCubeHandler() : Singleton("RTCubeHandler") {}
};
