// Fuzz target of reading archives: any bytes as a downloaded zip or 7z,
// planned for adding to a set library held in memory. Reading must refuse
// them or plan sets that the import could write, never write anything,
// never pass the bounds on what an archive unpacks to without refusing it,
// and never take a name that could leave its folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/archive/entry_rules.h"
#include "core/import/import_plan.h"
#include "memory_host.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool refused(const modsetup::ImportPlan& plan, modsetup::Refusal cause) {
    for (const auto& refusal : plan.refusals)
        if (refusal.cause == cause) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace modsetup;
    const std::string library = "C:\\game\\modsetup";
    const std::string archive = "C:\\downloads\\pack.zip";
    testing::MemoryHost host;
    host.write(library + "\\1\\Gold\\name.txt", "Gold\r\n");
    host.write(archive, std::string(reinterpret_cast<const char*>(data), size));
    // Read in pieces of a size the data chooses, as a slow disk might give it.
    host.readPiece = size > 0 ? 1 + data[size - 1] * 64u : 1;
    const auto before = host.filesBelow("C:\\");

    const ImportPlan plan = planImport(host, library, archive);
    check(host.filesBelow("C:\\") == before);

    // The bounds hold while decoding: past them, a refusal says so. The count
    // stops within one piece of the library's output past a bound.
    constexpr std::uint64_t kPiece = 1 << 20;
    check(plan.decodedBytes <= kMaxDecodedBytes + kPiece || refused(plan, Refusal::TooLarge));
    check(plan.decodedBytes <= kMaxCompressionRatio * plan.archiveBytes || refused(plan, Refusal::TooCompressed) ||
          refused(plan, Refusal::TooLarge));

    for (const PlannedSet& set : plan.sets) {
        check(!set.slotChoices.empty());
        check(judgeEntryName(set.name).refusal == std::nullopt);
        for (const PlannedFile& file : set.files) {
            check(file.suffix.size() > 1 && file.suffix.front() == '\\');
            check(file.suffix.find("\\..") == std::string::npos);
            check(!file.bitmap || file.lines.empty());
        }
    }
    if (plan.canAdd()) check(plan.fault == ArchiveFault::None && !plan.sets.empty());
    return 0;
}
