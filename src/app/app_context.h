#pragma once
// What the main window's controllers share: the open pack, the application
// flags, the language, the settings, the canvas style, the questions asked
// of the user and the base folder. The main window owns one; every
// controller takes it by reference.

#include "editor/canvas_style.h"
#include "list/pack_document.h"
#include "list/row_ops.h"
#include "pack/app_flags.h"
#include "prompts.h"
#include "settings/options.h"
#include "text/lang_lines.h"

#include <memory>

class QWidget;

namespace korvo {

struct AppContext {
    PackDocument doc;
    AppFlags Flags;
    LangLines Lang;
    Options Settings; // the settings of "opt.ini" as read at start-up and applied since
    CanvasStyle Style;
    QString BaseFolder; // the current directory at start-up, or the one the command line named
    ListView ViewMode = kListView;
    int NewLevel = 0; // 0: a stored new track heads the first group; 1: ends the last
    std::unique_ptr<Prompts> prompts = std::make_unique<Prompts>();
    QWidget* window = nullptr; // the parent of the questions

    Prompts& ask() { return *prompts; }
    // Line n of the language with %1, %2, ... filled in; line breaks for a widget.
    template <class... A> QString text(int n, const A&... args) const {
        QString s = Lang[n];
        if constexpr (sizeof...(A) > 0) s = s.arg(lang_detail::asArg(args)...);
        return s.replace("\r\n", "\n");
    }
    // The file dialog filter of packs; `other` adds the other game's packs.
    QString packFilter(bool other) const;
};

// The refusal when the 4,095 records are used: records of deleted tracks
// stay while the history can bring them back, and the text says so.
QString packFullText(const AppContext& app);

} // namespace korvo
