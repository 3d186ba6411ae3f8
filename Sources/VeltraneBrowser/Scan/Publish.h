#pragma once
// Sets a value that views read through a property and announces it, only when it changed.
// `owner` is the object whose signal announces it (the spam model for the state its parts keep).

template <typename T, typename Owner>
bool publish(T &field, const T &value, Owner &owner, void (Owner::*changed)())
{
    if (field == value)
        return false;
    field = value;
    emit(owner.*changed)();
    return true;
}
