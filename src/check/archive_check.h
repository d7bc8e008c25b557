#pragma once
// The check of an archive before its sets are added: the import's plan (what
// the window would add, and what it refuses), and for each set the check's
// findings as if it lay in its slot folder, read from what the plan kept of
// its files. Nothing is written.

#include <ostream>
#include <string>
#include <vector>

#include "check/findings.h"
#include "core/import/import_plan.h"

namespace modsetup::check {

// The check's findings for a planned set as a set of slot (that of one of
// its slotChoices): what the window would show of it and what Apply would
// skip. The dialog shows these beside each set.
std::vector<Finding> checkPlannedSet(const PlannedSet& set, std::size_t slot);

struct ArchiveCheck {
    ImportPlan plan;
    std::vector<std::vector<Finding>> findings;  // per planned set, as a set of its first slot
    std::size_t count(Severity severity) const;
};

// configBase: the set library whose names the sets would take (empty for none).
ArchiveCheck checkArchive(Host& host, const std::string& archivePath, const std::string& configBase,
                          const ScanOptions& options = {});

// quiet: the refusals, the findings and the summary only.
void writeArchiveReport(std::ostream& out, const std::string& archivePath, const ArchiveCheck& check, bool quiet);

}  // namespace modsetup::check
