#pragma once
// Tells the person at the screen why the picture may be empty or wrong: one
// line on standard error for each cause that loading left, once per run. The
// progress text says what was read; these lines say what it means.
#include <cstdio>
#include <string>

#include "model/model.h"
#include "model/obj_reader.h"

// Writes a line to out for each cause: no model file, faces that are not
// drawn, faces drawn black, and what did not fit the record. directory is
// where fileName was looked for.
void ReportLoadProblems(const std::string& fileName, const std::string& directory, const Model& model,
                        const LoadSummary& summary, std::FILE* out);
