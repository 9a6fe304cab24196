// palette: the program's ".pal" files.
#include "CliArea.h"

#include "imaging/PaletteLibrary.h"
#include "io/SafeFile.h"

#include <ostream>

namespace zentrik::cli {

namespace {

int exportPalette(Context& c) {
    if (c.args.positional().size() != 2)
        return c.usage("zentrik-cli palette export IN.pal OUT.c|OUT.inc");
    const std::string in = c.args.positional()[0];
    auto bytes = readWholeFile(in);
    if (!bytes) {
        c.prompter.message(in, "Unable to open palette file:", MessageIcon::Exclamation);
        return kExitNotDone;
    }
    PaletteLibrary lib(".", c.prompter);
    if (const Status st = importPalPalette(*bytes, lib.current()); !st) {
        c.prompter.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        return kExitNotDone;
    }
    return lib.exportTo(c.args.positional()[1]) ? kExitDone : kExitNotDone;
}

const AreaRegistration kPalette{
    Area{"palette",
         "the program's 768-byte palette files",
         {
             {"export",
              "IN.pal OUT.c|OUT.inc",
              "write the palette as source text: the gamepal array for .inc, else the RGB list",
              exportPalette,
              {}},
         }}};

} // namespace

} // namespace zentrik::cli
