#pragma once
// Tells the person at the screen why the picture may be empty or wrong: one
// line on standard error for each cause that loading left, once per run. The
// progress text says what was read; these lines say what it means.
#include <string>

#include "model/model.h"
#include "model/obj_reader.h"

struct LoadReport {
  std::string lines;    // one line, ended by "\n", per cause; "" when there is none
  bool somethingShows;  // a face is drawn in a colour or a texture
};

// A line for each cause: no model file, faces that are not drawn, faces drawn
// black, and what did not fit the record. directory is where fileName was
// looked for.
LoadReport ReportLoadProblems(const std::string& fileName, const std::string& directory, const Model& model,
                              const LoadSummary& summary);
