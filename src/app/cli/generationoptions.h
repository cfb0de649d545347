#pragma once

#include "clicommand.h"

#include "print/printdatagenerator.h"
#include "printsettings/defaultprintsettings.h"

namespace vendara::cli {

// The generation options printdata and print share.
inline const QStringList kGenerationOptions{"--kind", "--format", "--titles", "--copies", "--logo"};

// The generator's inputs: the default print settings of the data root for
// the slip's document kind (or --kind) and the settings' date style, changed
// by --format, --logo, --titles and --copies. The slip path is left empty.
PrintDataRequest generationRequestFrom(const CliContext &context, const ArgReader &reader, DocumentKind slipKind);

} // namespace vendara::cli
