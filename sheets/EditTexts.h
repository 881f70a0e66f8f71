#pragma once
// What the window says about edits not yet written to a controller.

#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

// The question before an act that would drop the unsaved edits of controller id.
std::string UnsavedEditsQuestion(uint32_t id);
// The edits were kept while the controller was in mode modeAway, but its
// configuration changed meanwhile: they are dropped.
std::string EditsDroppedChangedText(uint32_t id, std::string_view modeAway);
// The controller's kind or door count changed, so the edits no longer fit.
std::string EditsDroppedShapeText(uint32_t id);

}  // namespace quor
