#include "editor/file_type_registration.h"

namespace corvane {

void RegisterRiderDatabaseType(const QString& programPath) {
  // The freedesktop MIME package and .desktop entries for both programs are written by one
  // shared registration of the meeting program's shell. Until that code is shared, this call
  // point does nothing: it is where the editor will call it with its own description
  // (kRiderDatabaseTypeDescription) and path.
  Q_UNUSED(programPath);
}

}  // namespace corvane
