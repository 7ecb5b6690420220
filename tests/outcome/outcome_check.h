#pragma once

#include <string>

#include "runtime/recording_form.h"

namespace quorvel::check {

// Judges one click of Calculate by what it left in the form, without knowing
// the message texts (the case table holds those): the data and precision
// boxes keep their exact texts, and either no box is written, 1 to 11
// OK-only messages of one kind follow (item numbers ascending) and then the
// focus goes to the whole precision, the data's start or one whole item, or Text2 to
// Text6 are written once each in order with well-formed display texts, then
// one distinct OK-only message per cause exactly when a result is empty.
// Returns "" when all hold, otherwise the first rule broken.
std::string OutcomeFault(const runtime::RecordingForm& after);

}  // namespace quorvel::check
