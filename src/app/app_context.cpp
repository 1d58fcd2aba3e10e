#include "app_context.h"

#include "text/lang_added.h"

namespace korvo {

QString AppContext::packFilter(bool other) const {
    return other ? Lang[kLinePackFilter] + ";;" + Lang[kLineLvlFilter] : Lang[kLinePackFilter];
}

QString packFullText(const AppContext& app) {
    if (app.doc.tracksInRows() < kMaxTracks)
        return app.Lang.format(kLinePackFullOfDeleted, kMaxTracks);
    return app.Lang.format(kLinePackFull, kMaxTracks);
}

} // namespace korvo
