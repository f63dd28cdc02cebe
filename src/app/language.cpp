#include "app/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <string_view>

#include "texts/translation.h"

namespace velk::app {

namespace {

// Far more than "ja" or "en" and a line end; a larger file is not a language file.
constexpr std::size_t MAX_LANGUAGE_FILE_BYTES = 64 * 1024;

std::string languageFilePath(const std::filesystem::path& folder) {
    return (folder / LANGUAGE_FILE_NAME).string();
}

// The translation's patterns, read and ordered once for the whole program.
const texts::PatternTable& allPatterns() {
    static const texts::PatternTable patterns =
        texts::patternsOf(texts::readTs(texts::englishTs()));
    return patterns;
}

// Qt's translators answer the source itself when they have no translation.
std::optional<QString> installedTranslation(const char* context, const char* source) {
    const QString t = QCoreApplication::translate(context, source);
    if (t == QString::fromUtf8(source)) return std::nullopt;
    return t;
}

}  // namespace

const std::vector<std::string>& surfaceContexts() {
    static const std::vector<std::string> contexts = {"draw", "status"};
    return contexts;
}

const std::vector<std::string>& moveListContexts() {
    static const std::vector<std::string> contexts = {"movelist"};
    return contexts;
}

std::string placeText(
    const std::string& text, const std::vector<std::string>& contexts,
    const std::function<std::optional<QString>(const char* context, const char* source)>& lookup) {
    const texts::Lookup find = [&lookup](std::string_view context,
                                         std::string_view source) -> std::optional<std::string> {
        const std::string s(source);
        // A part is the place's own text or one of the referee's (a miss, the winner).
        for (const std::string& c : {std::string(context), std::string("match")})
            if (const auto t = lookup(c.c_str(), s.c_str())) return t->toStdString();
        return std::nullopt;
    };
    return texts::translateComposed(text, contexts, allPatterns(), find);
}

bool storedLanguageIsEnglish(const std::filesystem::path& folder) {
    const FileReadResult file = readWholeFile(languageFilePath(folder), MAX_LANGUAGE_FILE_BYTES);
    if (file.ok) {
        std::string_view line = file.bytes;
        line = line.substr(0, line.find('\n'));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line == "en") return true;
        if (line == "ja") return false;
    }
    return QLocale::system().language() != QLocale::Japanese;
}

FileWriteResult storeLanguage(const std::filesystem::path& folder, bool english) {
    return writeFileAtomic(languageFilePath(folder), english ? "en\n" : "ja\n");
}

Language::Language() {
    // Under share/ where the program is installed, else where the build compiled them.
    const QString dir = QCoreApplication::applicationDirPath();
    const QStringList places = {
        dir + QStringLiteral("/../../share/velk-tsuitate/translations"),
        QStringLiteral(VELK_QM_BUILD_DIR),
    };
    for (const QString& place : places)
        if (english_qm_.load(QStringLiteral("velk_en"), place)) {
            loaded_ = true;
            break;
        }
    qtJapaneseLoaded_ = qtJapanese_.load(QStringLiteral("qtbase_ja"),
                                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (qtJapaneseLoaded_) QCoreApplication::installTranslator(&qtJapanese_);
}

Language::~Language() {
    QCoreApplication::removeTranslator(&english_qm_);
    QCoreApplication::removeTranslator(&qtJapanese_);
}

void Language::setEnglish(bool english) {
    english_ = english && loaded_;
    QCoreApplication::removeTranslator(&english_qm_);
    QCoreApplication::removeTranslator(&qtJapanese_);
    if (english_)
        QCoreApplication::installTranslator(&english_qm_);
    else if (qtJapaneseLoaded_)
        QCoreApplication::installTranslator(&qtJapanese_);
}

QString Language::text(const char* context, const char* source) {
    return QCoreApplication::translate(context, source);
}

std::string Language::box(const std::string& text) const {
    if (!english_) return text;
    const texts::Lookup lookup = [this](std::string_view context,
                                        std::string_view source) -> std::optional<std::string> {
        const std::string c(context), s(source);
        const QString t = english_qm_.translate(c.c_str(), s.c_str());
        if (t.isNull()) return std::nullopt;
        return t.toStdString();
    };
    return texts::translateComposed(text, texts::boxContexts(), allPatterns(), lookup);
}

QString Language::englishOf(const QString& source) const {
    const auto lookup = [this](const char* context, const char* s) -> std::optional<QString> {
        const QString t = english_qm_.translate(context, s);
        if (t.isNull()) return std::nullopt;
        return t;
    };
    return QString::fromStdString(placeText(source.toStdString(), surfaceContexts(), lookup));
}

QString Language::shown(const QString& source, const std::vector<std::string>& contexts) {
    return QString::fromStdString(placeText(source.toStdString(), contexts, installedTranslation));
}

}  // namespace velk::app
