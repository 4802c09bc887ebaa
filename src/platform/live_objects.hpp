#pragma once

namespace sledway {

// How many objects of the add-in library are alive (servers, tool windows, the pictures the host
// keeps): the library may be unloaded only when none is, since their code lives in it.
void ObjectCreated();
void ObjectDestroyed();
int LiveObjects();

// Runs `release` each time the last live object goes: what the library started for its objects
// (GDI+, its window classes) stops then, and starts again with the next object that needs it.
void WhenNoneLive(void (*release)());

}  // namespace sledway
