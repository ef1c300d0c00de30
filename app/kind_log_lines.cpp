#include "app/kind_log_lines.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace kalvex::app {
namespace {

// The importers write no kind beside their lines, but each line names its documents
// ("Не съществува ефективна имунизация с код = 12", "АЛ 5: болничен лист № 3 не е
// записан: ...") and says in one of a few words that something was not written. So a
// line belongs to a kind when it names the kind's documents by one of the kind's words
// below and has one of the words of what was not written; the line of a sheet left out
// for its patient names both and belongs to both. Lines of rows already in the
// database ("вече съществува") have none of the latter and stay out.
struct KindWords {
    engine::RowKind kind;
    QStringList words;
};

const KindWords& wordsOf(engine::RowKind kind) {
    using engine::RowKind;
    static const KindWords kinds[] = {
        {RowKind::doctor, {"д-р", "лекар"}},
        {RowKind::patient, {"пациент"}},
        {RowKind::examination, {"амбулаторн", "амб. лист", "листовете"}},
        {RowKind::medicalReferral, {"медицинско направление", "медицински направл"}},
        {RowKind::diagnosticReferral, {"мдн", "медико-диагностичн"}},
        {RowKind::analysis, {"изследван"}},
        {RowKind::consultation, {"всд"}},
        {RowKind::commission, {"лкк"}},
        {RowKind::commissionMember, {"лкк", "член"}},
        {RowKind::telkReferral, {"телк"}},
        {RowKind::hospitalisation, {"хоспитализ"}},
        {RowKind::immunisation, {"имунизац"}},
        {RowKind::prescription, {"рецепт"}},
        {RowKind::sickLeave, {"болничен"}},
    };
    static_assert(std::size(kinds) == static_cast<std::size_t>(RowKind::kindCount));
    return *std::find_if(std::begin(kinds), std::end(kinds),
                         [kind](const KindWords& k) { return k.kind == kind; });
}

bool containsAny(const QString& line, const QStringList& words) {
    return std::any_of(words.begin(), words.end(), [&](const QString& word) {
        return line.contains(word, Qt::CaseInsensitive);
    });
}

}  // namespace

QStringList kindLogLines(const QStringList& runLines, engine::RowKind kind) {
    static const QStringList notWritten = {"не е",   "не са",         "не може", "липсва",
                                           "не съществува", "не откри", "няма"};
    const QStringList& words = wordsOf(kind).words;
    QStringList lines;
    for (const QString& line : runLines)
        if (containsAny(line, words) && containsAny(line, notWritten))
            lines.push_back(line);
    return lines;
}

}  // namespace kalvex::app
