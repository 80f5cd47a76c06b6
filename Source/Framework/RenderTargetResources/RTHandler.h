// The holder of the named colour render targets, shared by format and size.
#pragma once

#include "Framework/Singleton.h"

class RTHandler : public Singleton<RTHandler> {
public:
    RTHandler() : Singleton("RTHandler") {}
};
