// Binding to the optional sound module "GaugeSound", shared by every instance of the gauge.
//
// A module holds at most one reference to the sound module, and only one that it took itself by
// loading the library; a library that it finds already loaded by someone else is used without a
// reference and never released by this module. After the release at kill it holds no handle.
#pragma once

// PANEL_SERVICE_PRE_INITIALIZE: loads the sound module unless a handle is held.
void sound_bind();

// PANEL_SERVICE_PRE_UPDATE: takes the handle of the sound module if it is loaded in the
// process, or loads it.
void sound_keep_bound();

// PANEL_SERVICE_PRE_KILL: finds or loads the sound module, calls its "TerminateSounds" if it
// has one, and releases the reference this module holds.
void sound_release();

// ---------------------------------------------------------------------------------------------
// The platform's library calls, one implementation per platform.

using SOUND_LIBRARY = void*;
using SOUND_ENTRY = void (*)();

// Loads "GaugeSound" by the platform's search rule, adding a reference; null if it cannot.
SOUND_LIBRARY sound_library_load();

// The handle of "GaugeSound" if it is already loaded in the process, adding no reference.
SOUND_LIBRARY sound_library_find();

// The library's entry point of that name, or null.
SOUND_ENTRY sound_library_entry(SOUND_LIBRARY library, const char* name);

// Drops one reference.
void sound_library_release(SOUND_LIBRARY library);
