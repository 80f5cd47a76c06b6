// The source path that the water module's failure messages name.
#pragma once

constexpr const char* kGuardedSourcePath = ".\\Source\\Modules\\Water\\Water";
