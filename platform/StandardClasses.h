#pragma once

// Makes the platform's control classes known to layout files. Safe to call more than once.
void RegisterStandardClasses();
