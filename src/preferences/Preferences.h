#pragma once

// Preferences store: integer values under string keys in the JSON file
// "Orrery_pref.json" in the folder "Tallowbark" of the user's application-data folder. The store
// keeps no state; every read goes to the file anew. It never writes a value: the only write is the
// creation of an empty file (and its folders) when there is none.

#include <string>

/** Full path of the preferences file: the application-data folder, "/Tallowbark/Orrery_pref.json".
 */
std::string preferencesFilePath();

/** Reads key from the preferences file. Returns true and stores the value into out when the file's
    root is an object holding key with a number or boolean that fits a 32-bit signed integer
    (fractions truncated toward zero, true 1, false 0). Otherwise returns false and leaves out
    untouched. Creates the folder and an empty file when the file does not exist. Never throws. */
bool readPreference(const std::string& key, int* out);
