// The window's language: Japanese (the source texts) or English (translations/velk_en.ts,
// compiled to velk_en.qm). The choice is the window's own concern: the controller and the
// settings file never see it. It is kept in a file of its own beside the settings file.
#pragma once

#include <QString>
#include <QTranslator>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "record/file_io.h"

namespace velk::app {

// The file holding "ja" or "en", beside the settings file.
inline constexpr const char* LANGUAGE_FILE_NAME = "Velkついたて将棋.lang";

// The language stored in the folder's language file; the system's when there is none or it
// cannot be read (English unless the system language is Japanese). Anything but a regular file
// is not read, so a FIFO of that name never blocks.
bool storedLanguageIsEnglish(const std::filesystem::path& folder);
// Writes the choice as the settings file is written: to a temporary file renamed over the old
// one, so that a crash or a full disk leaves the old choice whole. On failure the result says
// why, and the choice lasts this run only.
FileWriteResult storeLanguage(const std::filesystem::path& folder, bool english);

// A text drawn on the surface (a label, the status line) or a line of the move list in the
// language the lookup gives: a catalogue text of the place's contexts, or one composed from
// their patterns, whose parts may also be the referee's words (the match's texts). The lookup
// answers nullopt for a text it does not translate.
std::string placeText(
    const std::string& text, const std::vector<std::string>& contexts,
    const std::function<std::optional<QString>(const char* context, const char* source)>& lookup);
// The contexts of the surface's texts and of the move list's lines.
const std::vector<std::string>& surfaceContexts();
const std::vector<std::string>& moveListContexts();

class Language {
  public:
    Language();
    ~Language();
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

    // Installs the English translations (and Qt's own English buttons) or removes them.
    void setEnglish(bool english);
    bool english() const { return english_; }
    // Whether the compiled translations were found.
    bool available() const { return loaded_; }

    // A catalogue text of the context as shown now.
    static QString text(const char* context, const char* source);
    // A text shown in a box, composed or not, as shown now.
    std::string box(const std::string& text) const;
    // The English of a surface text, whichever language is shown (for measuring).
    QString englishOf(const QString& source) const;
    // A text of a place (surfaceContexts(), moveListContexts()) as shown now.
    static QString shown(const QString& source, const std::vector<std::string>& contexts);

  private:
    QTranslator english_qm_;
    QTranslator qtJapanese_;
    bool loaded_ = false;
    bool qtJapaneseLoaded_ = false;
    bool english_ = false;
};

}  // namespace velk::app
