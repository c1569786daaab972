#include "dalmain/userdata/PfcTargets.h"

#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"

namespace dalmain {

namespace {

PfcTargets &current()
{
    static PfcTargets targets;
    return targets;
}

const char *const kNames[6] = {"P1", "P2", "F1", "F2", "C1", "C2"};

std::array<int *, 6> fieldsOf(PfcTargets &t)
{
    return {&t.proteinLower, &t.proteinUpper, &t.fatLower, &t.fatUpper, &t.carbohydrateLower, &t.carbohydrateUpper};
}

}  // namespace

PfcTargets readPfcTargets()
{
    PfcTargets t;
    const std::array<int *, 6> fields = fieldsOf(t);
    for (int i = 0; i < 6; ++i)
        *fields[i] = quenkit::GetRegistryInt(kPfcSection, QString::fromLatin1(kNames[i]), *fields[i]);
    return t;
}

PfcEntries pfcEntriesOf(const PfcTargets &targets)
{
    PfcTargets t = targets;
    PfcEntries entries;
    const std::array<int *, 6> fields = fieldsOf(t);
    for (int i = 0; i < 6; ++i)
        entries[i] = QString::number(*fields[i]);
    return entries;
}

int CheckPfcEntries(quenkit::Owner *owner, const PfcEntries &entries, PfcTargets *targets)
{
    PfcTargets checked;
    const std::array<int *, 6> fields = fieldsOf(checked);
    for (int row = 0; row < 3; ++row) {
        for (int i = 2 * row; i < 2 * row + 2; ++i) {
            bool ok = false;
            *fields[i] = entries[i].trimmed().toInt(&ok);
            if (!ok) {
                quenkit::inform(owner, kPfcCaption, kPfcEmptyMessage, quenkit::Icon::Warning);
                return i;
            }
        }
        if (*fields[2 * row] >= *fields[2 * row + 1]) {
            quenkit::inform(owner, kPfcCaption, kPfcOrderMessage, quenkit::Icon::Warning);
            return 2 * row;
        }
    }
    if (targets)
        *targets = checked;
    return -1;
}

bool StorePfcTargets(const PfcTargets &targets)
{
    PfcTargets t = targets;
    const std::array<int *, 6> fields = fieldsOf(t);
    bool stored = true;
    for (int i = 0; i < 6; ++i)
        stored = quenkit::SetRegistryInt(kPfcSection, QString::fromLatin1(kNames[i]), *fields[i]) == 1 && stored;
    reloadPfcTargets();
    return stored;
}

const PfcTargets &pfcTargets()
{
    return current();
}

void reloadPfcTargets()
{
    current() = readPfcTargets();
}

}  // namespace dalmain
