// The header decoders: each model's header fields in the dump turned into the texts of the
// header value list (code page 1251). SelectModel does what choosing a model does: entries 0 to
// 15 emptied, entry 0 set to the designation, the model's decoder run; entry 16 (the read-out
// time) is kept. DetectAndDecode selects the detected model, or sets entry 0 to "нет" and leaves
// the other entries as they are.
#pragma once

#include <optional>

#include "core/byte_view.h"
#include "core/clock.h"
#include "data/model.h"
#include "data/passport.h"

namespace tavrix {

void DecodeHeader52A(const ByteView& dump, HeaderValueList& list);
void DecodeHeader52D(const ByteView& dump, HeaderValueList& list);
void DecodeHeader52N(const ByteView& dump, HeaderValueList& list);
// The installation date's century is 20 unless that date is later than today: then it is 19.
void DecodeHeader38(const ByteView& dump, const Clock& clock, HeaderValueList& list);

void SelectModel(Model m, const ByteView& dump, const Clock& clock, HeaderValueList& list);

// Returns the detected model, if any.
std::optional<Model> DetectAndDecode(const ByteView& dump, const Clock& clock,
                                     HeaderValueList& list);

}  // namespace tavrix
