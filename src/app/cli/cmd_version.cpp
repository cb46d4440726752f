#include "cli_registry.h"
#include "kem_version.h"

namespace {
int runVersion(const CliArgs&, Interaction&)
{
    PrintJson({{"program", "kemsys-cli"}, {"version", KEM_VERSION_TEXT}});
    return 0;
}
const CliCommand reg("version", "version", runVersion);
}  // namespace
