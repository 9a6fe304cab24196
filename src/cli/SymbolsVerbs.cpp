// symbols: map-symbol sets (Lists.txt, symbols.bmp, sprinfo.txt).
#include "CliArea.h"

#include "world/SymbolSet.h"

#include <ostream>

namespace zentrik::cli {

namespace {

int check(Context& c) {
    if (c.args.positional().size() != 1)
        return c.usage("zentrik-cli symbols check FOLDER [--json]");
    const int before = c.prompter.messageCount();
    const SymbolSet set = loadSymbolSetFolder(c.args.positional()[0], c.prompter);
    const int problems = c.prompter.messageCount() - before;
    size_t actors = 0;
    for (const ObjectDescription& d : set.objects.objects)
        actors += d.type != kObjectNone;
    if (c.json)
        c.out << "{\"walls\":" << set.names.plane0.size()
              << ",\"objects\":" << set.names.objects.size()
              << ",\"floorCodes\":" << set.objects.floorCodes.size()
              << ",\"descriptions\":" << actors << ",\"doors\":" << set.objects.doors.size()
              << ",\"problems\":" << problems << "}\n";
    else
        c.out << set.names.plane0.size() << " wall/floor names, " << set.names.objects.size()
              << " object names, " << actors << " object descriptions, " << set.objects.doors.size()
              << " doors, " << problems << " problems\n";
    return problems == 0 ? kExitDone : kExitNotDone;
}

const AreaRegistration kSymbols{Area{"symbols",
                                     "map-symbol sets: names, symbols and object descriptions",
                                     {
                                         {"check",
                                          "FOLDER [--json]",
                                          "load a symbol set's folder and report every problem",
                                          check,
                                          {}},
                                     }}};

} // namespace

} // namespace zentrik::cli
