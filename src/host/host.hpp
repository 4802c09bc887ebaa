#pragma once

// The whole host object model.
#include "host/application.hpp"
#include "host/codes.hpp"
#include "host/collections.hpp"
#include "host/component.hpp"
#include "host/curve_evaluator.hpp"
#include "host/document.hpp"
#include "host/event.hpp"
#include "host/geometry.hpp"
#include "host/host_error.hpp"
#include "host/interaction.hpp"
#include "host/object.hpp"
#include "host/parameters.hpp"
#include "host/part_entities.hpp"
#include "host/profiles.hpp"
#include "host/sketch.hpp"
#include "host/user_interface.hpp"
