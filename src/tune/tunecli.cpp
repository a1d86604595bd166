#include "tune/tunecli.h"

namespace kestrel::tuning {

int runTuneCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "kestrel-tune: not built yet\n";
    return 2;
}

} // namespace kestrel::tuning
