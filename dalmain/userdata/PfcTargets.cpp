#include "dalmain/userdata/PfcTargets.h"

#include "quenkit/registry/SettingsStore.h"

namespace dalmain {

namespace {

PfcTargets &current()
{
    static PfcTargets targets;
    return targets;
}

}  // namespace

PfcTargets readPfcTargets()
{
    const PfcTargets defaults;
    const auto value = [](const char *name, int fallback) {
        return quenkit::GetRegistryInt(kPfcSection, QString::fromLatin1(name), fallback);
    };
    PfcTargets t;
    t.proteinLower = value("P1", defaults.proteinLower);
    t.proteinUpper = value("P2", defaults.proteinUpper);
    t.fatLower = value("F1", defaults.fatLower);
    t.fatUpper = value("F2", defaults.fatUpper);
    t.carbohydrateLower = value("C1", defaults.carbohydrateLower);
    t.carbohydrateUpper = value("C2", defaults.carbohydrateUpper);
    return t;
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
