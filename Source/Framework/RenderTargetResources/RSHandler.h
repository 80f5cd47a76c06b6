// The holder of the named render surfaces.
#pragma once

#include "Framework/Singleton.h"

class RSHandler : public Singleton<RSHandler> {
public:
    RSHandler() : Singleton("RSHandler") {}
};
