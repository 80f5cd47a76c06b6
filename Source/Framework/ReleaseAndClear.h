// Releases a device object the caller holds and clears the reference, as every owner does when
// it lets go of one.
#pragma once

template <class T>
void ReleaseAndClear(T*& object) {
    if (object == nullptr) return;
    object->Release();
    object = nullptr;
}
