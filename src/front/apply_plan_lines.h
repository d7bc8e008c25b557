#pragma once
// "Show what Apply will change": the plan of an Apply (apply_plan.h) as the
// lines its list shows, the totals first, then the files grouped by slot,
// in each group the files that change before those that stay.

#include <vector>

#include "core/install/apply_plan.h"
#include "front/shown_text.h"

namespace modsetup::front {

std::vector<ShownText> applyPlanLines(const ApplyPlan& plan, const SlotTexts& texts, const TextCodec& codec);

}  // namespace modsetup::front
