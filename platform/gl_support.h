#pragma once
// Whether an OpenGL context can take the texture loader's BGRA pixel data.

// True when the version string (GL_VERSION) names 1.2 or later, where BGRA is
// core, or the extension list (GL_EXTENSIONS) names "GL_EXT_bgra". Either may
// be null.
bool SupportsBgra(const char* version, const char* extensions);

// True when the space-separated list names this extension as a whole word.
bool ListsExtension(const char* extensions, const char* name);
