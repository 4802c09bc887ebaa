#pragma once

namespace sledway {

// How many objects of the add-in library are alive (servers, tool windows, the pictures the host
// keeps): the library may be unloaded only when none is, since their code lives in it.
void ObjectCreated();
void ObjectDestroyed();
int LiveObjects();

}  // namespace sledway
