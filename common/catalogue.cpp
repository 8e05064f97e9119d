#include "common/catalogue.h"

#include "common/code_page.h"

#include <array>
#include <utility>

namespace ferwis {
namespace {

// Written as UTF-8 here so that they read as they stand; text() hands them out
// as Windows-1250.
constexpr std::array kTexts = {
    std::pair{Text::ConfigMissing, "Brak pliku ferwis.ini"},
    std::pair{Text::ConfigEmpty, "Plik ferwis.ini jest pusty."},
    std::pair{Text::ConfigUnreadable, "Nie można odczytać pliku ferwis.ini."},
    std::pair{Text::NoSceneryFolder, "Brak podkatalogu SCENERY."},
    std::pair{Text::NoModelsFolder, "Brak podkatalogu MODELS."},
    std::pair{Text::NoSoundsFolder, "Brak podkatalogu SOUNDS."},
    std::pair{Text::NoTexturesFolder, "Brak podkatalogu TEXTURES."},
    std::pair{Text::NoDynamicFolder, "Brak podkatalogu DYNAMIC."},
    std::pair{Text::SettingsMissing,
              "W pliku ferwis.ini brakuje ustawień potrzebnych do pracy programu:"},
    std::pair{Text::MainFolderMissing, "Katalog główny symulatora nie istnieje:"},
    std::pair{Text::SceneryFolderUnreadable, "Nie można odczytać zawartości katalogu SCENERY."},
    std::pair{Text::DataFolderUnusable, "Nie można utworzyć folderu na wynik analizy."},
    std::pair{Text::FirstStart,
              "Program nie ma jeszcze pliku ustawień ferwis.ini. Wskaż główny katalog "
              "symulatora (z podkatalogami scenery, models, sounds, textures i dynamic); "
              "ustawienia zostaną zapisane w pliku:"},
    std::pair{Text::ChooseMainDir, "Wskaż główny katalog symulatora"},
    std::pair{Text::PathNotWritable,
              "Tej ścieżki nie da się zapisać w pliku ferwis.ini (średnik, tabulator, dwie "
              "spacje obok siebie, spacja na początku lub końcu, koniec wiersza, ukośnik "
              "odwrotny albo znak spoza Windows-1250):"},
    std::pair{Text::ConfigUnwritable, "Nie można zapisać pliku ferwis.ini."},
    std::pair{Text::ConfigWritten, "Zapisano plik ustawień:"},
    std::pair{Text::ConfigExists, "Plik ferwis.ini już istnieje i nie został zmieniony:"},
    std::pair{Text::FirstConfigNote,
              "Plik ustawień programu Ferwis (kodowanie Windows-1250).\n"
              "Wiersze przed pierwszym nagłówkiem są pomijane; pierwszy niepusty wiersz\n"
              "pod nagłówkiem jest jego wartością.\n"
              "pomijane_foldery_pliki: foldery i pliki względem katalogu głównego, po\n"
              "jednym w wierszu, których nieużywane pliki są wyjątkami."},
    std::pair{Text::CliHowToConfigure,
              "Plik ustawień utworzy polecenie: ferwis-cli init KATALOG (główny katalog "
              "symulatora)."},
    std::pair{Text::CliWindowAsks,
              "Okno programu (ferwis) samo zapyta o ten katalog przy pierwszym uruchomieniu."},
    std::pair{
        Text::NoDisplay,
        "Nie można otworzyć ekranu graficznego; okno go wymaga (ferwis-cli działa bez niego)."},
    std::pair{Text::ListingPhase, "FAZA - Wypisywanie wszystkich plików..."},
    std::pair{Text::RollingStockPhase, "FAZA - Sprawdzanie plików mmd..."},
    std::pair{Text::SceneryPhase, "FAZA - Czytanie scenerii..."},
    std::pair{Text::ExceptionPhase, "FAZA - Zaznaczanie wyjątków..."},
    std::pair{Text::AnalysisFailed, "Wystąpił błąd. Dalsze działanie programu zostało przerwane."},
    std::pair{Text::Count, "Ilość:"},
    std::pair{Text::ListFull,
              "Za dużo pozycji do wyświetlenia. Dalsze pozycje nie będą wyświetlane."},
    std::pair{Text::DisplayFailed,
              "Nie można odczytać pliku wynik.txt. Wyświetlanie wyniku zostało przerwane."},
    std::pair{Text::Copying, "Trwa kopiowanie plików..."},
    std::pair{Text::Moving, "Trwa przenoszenie plików..."},
    std::pair{Text::Deleting, "Trwa usuwanie plików..."},
    std::pair{Text::ResultUnreadable, "Nie można odczytać pliku wynik.txt."},
    std::pair{Text::CopyPathUnusable, "Zła podana ścieżka kopiowania/przesuwania w pliku ini"},
    // "bląd" is the program's own spelling of this message.
    std::pair{Text::OperationFailed,
              "Wystąpił bląd. Być może zła podana ścieżka kopiowania/przesuwania w pliku ini. "
              "Dalsze działanie zostało przerwane."},
    std::pair{Text::CategoryEmpty, "Brak plików w tej kategorii."},
    std::pair{Text::ResultStale, "Wynik analizy jest nieaktualny."},
    std::pair{Text::FreshnessUnknown,
              "Nie można sprawdzić, czy wynik analizy jest aktualny: brak zapisanego z nim "
              "stanu plików (wynik_stan.txt)."},
    std::pair{Text::CategoryUsed, "Używane sceneryjne"},
    std::pair{Text::CategoryUnused, "Nieużywane"},
    std::pair{Text::CategoryMissing, "Braki sceneryjne"},
    std::pair{Text::CategoryException, "Wyjątki"},
    std::pair{Text::CategoryRollingStockUsed, "Używane *.wav DYNAMIC"},
    std::pair{Text::CategoryRollingStockMissing, "Braki *.wav DYNAMIC"},
    std::pair{Text::SkippedFiles, "Pominięto pliki: "},
    std::pair{Text::SkipOutside, "poza katalogiem głównym symulatora lub z \"..\" w ścieżce"},
    std::pair{Text::SkipMalformed, "wiersz pliku wynik.txt o złej budowie"},
    std::pair{Text::SkipLinkOutside, "dowiązanie do pliku spoza katalogu głównego symulatora"},
    std::pair{Text::SkipTargetOutside, "folder docelowy poza ścieżką kopiowania/przesuwania"},
    std::pair{Text::SkipTargetTaken, "celem jest sam plik lub plik katalogu głównego symulatora"},
    std::pair{Text::SkipCollision, "cel zapisany już w tym przebiegu (te same nazwy)"},
    std::pair{Text::SkipChanged, "plik zmienił się w trakcie działania"},
    std::pair{Text::SkipNotTrashed, "nie dało się przenieść do kosza, plik pozostał"},
    std::pair{Text::SkipNameWithoutForm,
              "nazwa ze znakami, których wynik.txt nie zapisze (cudzysłów, koniec wiersza, znak "
              "spoza Windows-1250), zapisanymi jako \"?\""},
    std::pair{Text::SkipAmbiguous,
              "wiersz pliku wynik.txt może oznaczać więcej niż jeden plik (\"?\" w nazwie)"},
    std::pair{Text::SkipListedTwice, "wynik.txt podaje tę ścieżkę także z innym statusem"},
    std::pair{Text::SkipTargetDiffers,
              "w miejscu docelowym jest już inny plik o tej nazwie, nie został zastąpiony"},
    std::pair{Text::SkipUsedElsewhere, "używany przez inną scenerię, pozostał na miejscu"},
    std::pair{Text::DoneCopying, "Skopiowano plików:"},
    std::pair{Text::DoneMoving, "Przeniesiono plików:"},
    std::pair{Text::DoneTrashing, "Przeniesiono do kosza plików:"},
    std::pair{Text::DoneDeleting, "Usunięto trwale plików:"},
    std::pair{Text::SelectedForAnalysis, "sceneria wybrana do analizy"},
    std::pair{Text::PreviewTitle, "Podgląd - nic nie zostało jeszcze zmienione."},
    std::pair{Text::PreviewReading, "Trwa czytanie wyniku do podglądu..."},
    std::pair{Text::PreviewCopy, "kopiowanie: "},
    std::pair{Text::PreviewMove, "przeniesienie: "},
    std::pair{Text::PreviewTrash, "do kosza: "},
    std::pair{Text::PreviewDelete, "usunięcie trwałe: "},
    std::pair{Text::PreviewSkip, "pominięcie: "},
    std::pair{Text::PreviewMore, "... oraz dalsze pliki: "},
    std::pair{Text::PreviewAlreadyThere, "już jest w miejscu docelowym: "},
    std::pair{Text::ReasonMissing, "plik nie istnieje"},
    std::pair{Text::ReasonNotRegularFile, "to nie jest zwykły plik"},
    std::pair{Text::ReasonNotFolder, "to nie jest folder"},
    std::pair{Text::ReasonFolderUnopenable, "nie można otworzyć folderu"},
    std::pair{Text::ReasonFolderPlaceUnknown, "nie można ustalić położenia folderu"},
    std::pair{Text::ReasonNotCreated, "plik nie został utworzony"},
    std::pair{Text::ReasonNameTaken, "inny plik zajął jego nazwę"},
    std::pair{Text::ReasonReplaced, "plik został podmieniony w trakcie działania"},
    std::pair{Text::ReasonDisappeared, "plik zniknął w trakcie działania"},
    std::pair{Text::ReasonCopyPathChanged,
              "ścieżka kopiowania/przesuwania zmieniła się w trakcie działania"},
    std::pair{Text::ReasonLineTooLong, "wiersz zbyt długi, by zmieścić go w pamięci"},
    std::pair{Text::ReasonOutOfMemory, "zabrakło pamięci"},
    std::pair{Text::ReasonTooManyFiles, "za dużo plików w katalogu głównym symulatora"},
    std::pair{Text::ReasonNoTrash, "brak kosza systemowego"},
    std::pair{Text::ReasonTrashRefused, "kosz systemowy nie przyjął pliku"},
    std::pair{Text::ReasonTrashAborted, "przenoszenie do kosza zostało przerwane"},
    std::pair{Text::ReasonStillThere, "plik nadal jest na swoim miejscu"},
    std::pair{Text::ReasonOtherFileTrashed, "do kosza trafił inny plik"},
    std::pair{Text::ReasonTrashOriginUnwritten,
              "kosz nie zapisał, skąd pochodzi plik (czy jego dysk jest pełny?); plik wrócił na "
              "swoje miejsce"},
    std::pair{Text::CliUnknownCommand, "Nieznane polecenie:"},
    std::pair{Text::CliUnknownCategory, "Nieznany status plików:"},
    std::pair{Text::CliCategoryChoices, "(U, N, B, W, UD, BD lub nazwa statusu)"},
    std::pair{Text::CliActsOnlyOn, "To polecenie działa tylko na statusy U, N i UD:"},
    std::pair{Text::CliNotScenery, "To nie jest plik scenerii z katalogu SCENERY:"},
    std::pair{Text::CliJsonWouldReplace,
              "Raport JSON zastąpiłby plik wyniku lub plik, który analiza czyta:"},
    std::pair{Text::CliJsonUnwritable, "Nie można zapisać raportu JSON:"},
    std::pair{Text::CliNeedsYes,
              "To polecenie pyta o potwierdzenie; bez terminala potwierdź je opcją --yes."},
    std::pair{Text::CliNotConfirmed, "Nie potwierdzono; nic nie zostało zmienione."},
    std::pair{Text::CliAnalysisCancelled, "Analizę przerwano; poprzedni wynik pozostał bez zmian."},
    std::pair{Text::CliOperationCancelled, "Przerwano; plik w toku pozostał bez zmian."},
    std::pair{Text::CliSettingsMissing,
              "Plik nie ustawia [sciezka_dostepu], [domyslne_rozszerzenie] i "
              "[sciezka_kopiowania_przesuwania]:"},
    std::pair{Text::NoResult,
              "Brak wyniku do wyświetlenia: plik wynik.txt jest krótszy niż 4 bajty."},
    std::pair{Text::CliDryRunNames, "(wymienia je --dry-run)"},
    std::pair{Text::CliNoProvenance,
              "Brak ważnych miejsc (wynik_zrodla.txt nie istnieje lub należy do innego wyniku; "
              "uruchom analizę ponownie):"},
    std::pair{Text::CliNotInResult, "Wynik nie zawiera pliku:"},
    std::pair{Text::CliNoPlace, "Żaden plik go nie wskazał:"},
    std::pair{Text::CliNoPlaceKept, "pliki nieużywane i wyjątki nie mają miejsca."},
    std::pair{Text::CliNoPlaceRecorded, "jego miejsce nie zostało zapisane."},
    std::pair{Text::Undoing, "Trwa cofanie operacji..."},
    std::pair{Text::DoneRestoring, "Przywrócono plików:"},
    std::pair{Text::UndoNothing, "Brak operacji do cofnięcia."},
    std::pair{Text::UndoUnknown, "Nie ma zapisu operacji o tej nazwie:"},
    std::pair{Text::UndoPermanent, "Pliki tej operacji usunięto trwale: nie ma czego cofnąć."},
    std::pair{Text::UndoLeft, "Tych plików nie przywrócono:"},
    std::pair{Text::UndoByHand, "Tych plików program nie może wyjąć z Kosza; przywróć je ręcznie "
                                "(Kosz, polecenie „Przywróć”):"},
    std::pair{Text::UndoAnalyseAgain,
              "Wynik analizy został usunięty. Przeprowadź analizę ponownie."},
    std::pair{Text::UndoOffered, "Operację można cofnąć przyciskiem „Cofnij”."},
    std::pair{Text::UndoHint, "Operację można cofnąć poleceniem: ferwis-cli undo"},
    std::pair{Text::UndoFailed, "Wystąpił błąd. Cofanie operacji zostało przerwane."},
    std::pair{Text::OtherSceneriesUnreadable,
              "Nie można odczytać scenerii niewybranych do analizy, więc nie wiadomo, których "
              "plików używają. Żaden plik nie został zmieniony."},
    std::pair{Text::ReasonPlaceTaken, "w jego pierwotnym miejscu leży inny plik"},
    std::pair{Text::ReasonPlacedChanged, "plik tam, dokąd trafił, zmienił się lub zniknął"},
    std::pair{Text::ReasonWhereaboutsUnknown,
              "operację przerwano, zanim zapisała, dokąd trafił plik"},
    std::pair{Text::ReasonNotInTrash, "nie ma go w koszu"},
    std::pair{Text::CliUsedElsewhere, "Używają go scenerie spoza analizy:"},
    std::pair{Text::CliUsedNowhere, "Nie używa go żadna sceneria instalacji."},
    std::pair{Text::CliNoSelectionRecorded,
              "Nie wiadomo, które scenerie wybrano do analizy (brak pliku wynik_stan.txt; "
              "uruchom analizę ponownie)."},
    std::pair{Text::MatchOtherFolder, "ta sama nazwa w innym folderze tego samego podkatalogu"},
    std::pair{Text::MatchOtherContentFolder, "ta sama nazwa w innym podkatalogu"},
    std::pair{Text::MatchOtherExtension, "ta sama nazwa z innym rozszerzeniem"},
    std::pair{Text::MatchPolishLetters, "ta sama nazwa z polskimi literami lub bez nich"},
    std::pair{Text::MatchOneEdit, "nazwa różna o jeden znak w tym samym folderze"},
    std::pair{Text::NoLikelyMatch, "W instalacji nie ma podobnego pliku."},
};

// Every id has its text, in the order of the enumeration.
constexpr bool in_order() {
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        if (static_cast<std::size_t>(kTexts[i].first) != i) {
            return false;
        }
    }
    return static_cast<std::size_t>(Text::NoLikelyMatch) + 1 == kTexts.size();
}
static_assert(in_order());

std::string group_digits(std::uintmax_t value) {
    std::string digits = std::to_string(value);
    for (std::size_t i = digits.size(); i > 3; i -= 3) {
        digits.insert(i - 3, 1, ' ');
    }
    return digits;
}

// A size a person reads at a glance: "3,4 MB".
std::string readable_size(std::uintmax_t bytes) {
    static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    while (value >= 1024.0 && unit + 1 < std::size(kUnits)) {
        value /= 1024.0;
        ++unit;
    }
    const auto tenths = static_cast<std::uintmax_t>(value * 10.0 + 0.5);
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10) + " " + kUnits[unit];
}

} // namespace

const std::string& text(Text id) {
    static const auto kConverted = [] {
        std::array<std::string, kTexts.size()> converted;
        for (std::size_t i = 0; i < kTexts.size(); ++i) {
            converted[i] = cp1250(kTexts[i].second);
        }
        return converted;
    }();
    return kConverted[static_cast<std::size_t>(id)];
}

std::string checking_file_detail(std::string_view path) {
    static const std::string kLead = cp1250("Sprawdzany plik: ");
    return kLead + std::string(path);
}

std::string reading_scenery_detail(std::string_view scenery, std::string_view file) {
    static const std::string kScenery = cp1250("Sceneria: ");
    static const std::string kFile = cp1250("Czytam plik: ");
    std::string detail = kScenery;
    detail.append(scenery).append(" ").append(kFile).append(file);
    return detail;
}

std::string missing_setting(std::string_view header, bool section_present) {
    static const std::string kAbsent = cp1250(" - brak sekcji");
    static const std::string kEmpty = cp1250(" - sekcja bez wartości");
    return std::string(header) + (section_present ? kEmpty : kAbsent);
}

std::string failed_file(std::string_view path, std::string_view reason) {
    static const std::string kFile = cp1250("Plik: ");
    return kFile + std::string(path) + "\n" + failure_reason(reason);
}

std::string cli_usage(std::string_view command) {
    static constexpr std::pair<std::string_view, std::string_view> kLines[] = {
        {"analyze", "[--config PLIK] [--result PLIK] analyze [--json PLIK] SCENERIA..."},
        {"analyze", "[--config PLIK] [--result PLIK] analyze [--json PLIK] --all"},
        {"show", "[--result PLIK] show STATUS [--by-file]"},
        {"why", "[--config PLIK] [--result PLIK] why ŚCIEŻKA"},
        {"copy", "[--config PLIK] [--result PLIK] copy STATUS [--dry-run] [--yes] [--overwrite]"},
        {"move", "[--config PLIK] [--result PLIK] move STATUS [--dry-run] [--yes] [--overwrite] "
                 "[--include-used-elsewhere]"},
        {"delete", "[--config PLIK] [--result PLIK] delete STATUS [--dry-run] [--yes] "
                   "[--permanent] [--include-used-elsewhere]"},
        {"undo", "[--result PLIK] undo [--list | NAZWA]"},
        {"init", "[--config PLIK] init KATALOG"},
        {"paths", "[--config PLIK] [--result PLIK] --paths"},
        {"version", "--version"},
    };
    std::string usage = cp1250("Użycie: ");
    const std::string indent(8, ' ');
    bool first = true;
    for (const auto& [commands, line] : kLines) {
        if (!command.empty() && commands.find(command) == std::string_view::npos) {
            continue;
        }
        usage += (first ? std::string() : indent) + "ferwis-cli " + cp1250(line) + "\n";
        first = false;
    }
    return usage;
}

std::string trash_kept_file(std::string_view place, std::string_view reason) {
    return cp1250("kosz nie zapisał, skąd pochodzi plik, a pliku nie dało się przywrócić; "
                  "leży w ") +
           std::string(place) + " (" + std::string(reason) + ")";
}

std::string failure_reason(std::string_view reason) {
    static const std::string kReason = cp1250("Przyczyna: ");
    return kReason + std::string(reason);
}

namespace {

std::string size_text(std::uintmax_t bytes) {
    std::string size = group_digits(bytes) + " B";
    if (bytes >= 1024) {
        size += " (" + readable_size(bytes) + ")";
    }
    return size;
}

} // namespace

std::string counted_status(std::string_view status, std::size_t done, std::size_t whole) {
    return std::string(status) + " " + group_digits(done) + " / " + group_digits(whole);
}

std::string looked_in(std::string_view path) {
    return cp1250("Szukano w: ") + std::string(path);
}

std::string config_file_read(std::string_view path) {
    return cp1250("Plik ustawień: ") + std::string(path);
}

std::string config_too_short(std::string_view path, std::uintmax_t bytes) {
    std::string said = cp1250("Plik: ") + std::string(path);
    if (bytes > 0) {
        said += cp1250("\nMa ") + group_digits(bytes) +
                cp1250(" B, bez wymaganych sekcji (za krótki, by je zawierać).");
    }
    return said;
}

std::string delete_confirmation(std::size_t files, std::uintmax_t bytes, bool to_trash) {
    return cp1250(to_trash ? "Pliki o wybranym statusie zostaną przeniesione do kosza.\n"
                           : "Pliki o wybranym statusie zostaną usunięte trwale.\n") +
           cp1250("Ilość plików do usunięcia: ") + group_digits(files) + "\n" +
           cp1250("Łączny rozmiar: ") + size_text(bytes) + "\n" +
           cp1250("Plik wynik.txt również zostanie usunięty. Czy kontynuować?");
}

std::string operation_summary(Text done, std::size_t files, std::uintmax_t bytes,
                              std::size_t skipped, std::size_t already_there) {
    std::string summary = text(done) + " " + group_digits(files) + " (" + size_text(bytes) + "), " +
                          cp1250("pominięto: ") + group_digits(skipped);
    if (already_there > 0) {
        summary += cp1250(", już były na miejscu: ") + group_digits(already_there);
    }
    return summary + ".";
}

std::string operation_failed_file(std::string_view path, std::string_view folder,
                                  std::string_view reason, Text done, std::size_t files) {
    static const std::string kFile = cp1250("Plik: ");
    static const std::string kFolder = cp1250("Folder: ");
    static const std::string kBefore = cp1250(" (przed przerwaniem)");
    return kFile + std::string(path) + "\n" + kFolder + std::string(folder) + "\n" +
           failure_reason(reason) + "\n" + text(done) + " " + group_digits(files) + kBefore;
}

std::string overwrite_question(std::size_t differing, std::size_t already_there) {
    std::string question = cp1250("W miejscu docelowym są już inne pliki o tych samych nazwach: ") +
                           group_digits(differing) + "\n";
    if (already_there > 0) {
        question += cp1250("Pliki takie same jak źródłowe, już obecne: ") +
                    group_digits(already_there) + "\n";
    }
    return question + cp1250("Zastąpić pliki, które się różnią?");
}

std::string delete_choice(std::size_t files, std::uintmax_t bytes) {
    return cp1250("Pliki o wybranym statusie zostaną usunięte.\n") +
           cp1250("Ilość plików do usunięcia: ") + group_digits(files) + "\n" +
           cp1250("Łączny rozmiar: ") + size_text(bytes) + "\n" +
           cp1250("Plik wynik.txt również zostanie usunięty.\n") +
           cp1250("Przenieść pliki do kosza (można je z niego przywrócić) czy usunąć je trwale?");
}

std::string preview_totals(std::size_t files, std::uintmax_t bytes, std::size_t skipped,
                           std::size_t already_there) {
    // Appends, not "literal" + temporary: GCC 12's -Wrestrict misreads the latter.
    std::string totals = cp1250("Ilość plików: ");
    totals.append(group_digits(files)).append("\n").append(cp1250("Łączny rozmiar: "));
    totals.append(size_text(bytes)).append("\n").append(cp1250("Pominięto: "));
    totals.append(group_digits(skipped));
    if (already_there > 0) {
        totals.append("\n").append(cp1250("Już w miejscu docelowym: "));
        totals.append(group_digits(already_there));
    }
    return totals;
}

std::string move_confirmation(std::size_t files, std::uintmax_t bytes,
                              std::string_view target_folder) {
    return cp1250("Pliki o wybranym statusie zostaną przeniesione i znikną z katalogu głównego "
                  "symulatora.\n") +
           cp1250("Ilość plików do przeniesienia: ") + group_digits(files) + "\n" +
           cp1250("Łączny rozmiar: ") + size_text(bytes) + "\n" + cp1250("Folder docelowy: ") +
           std::string(target_folder) + "\n" +
           cp1250("Plik wynik.txt również zostanie usunięty. Czy kontynuować?");
}

std::string stale_result(std::string_view path) {
    return cp1250("Wynik analizy jest nieaktualny: od analizy zmienił się plik ") +
           std::string(path) + cp1250(". Przeprowadź analizę ponownie.");
}

std::string used_elsewhere_note(std::size_t files, std::uintmax_t bytes,
                                const std::vector<std::string>& sceneries, std::size_t users) {
    std::string note =
        cp1250("Plików używanych przez inne scenerie instalacji, niewybrane do analizy: ") +
        group_digits(files) + " (" + size_text(bytes) + ").";
    for (std::size_t i = 0; i < sceneries.size(); ++i) {
        note += (i == 0 ? cp1250(" Używają ich: ") : ", ") + sceneries[i];
    }
    if (users > sceneries.size()) {
        note += cp1250(" i inne (razem: ") + group_digits(users) + ")";
    }
    return note + (sceneries.empty() ? "\n" : ".\n") +
           cp1250("Sceneria niewybrana do analizy liczy się jako używająca siebie i wszystkiego, "
                  "do czego prowadzi. Zaznaczone pole zostawia te pliki na miejscu (nie są "
                  "wliczone powyżej); po jego odznaczeniu zostaną zabrane także one.");
}

std::string analysis_summary(const std::array<std::size_t, 6>& counts, double seconds) {
    // The codes as wynik.txt writes them: short enough for one line of the label.
    constexpr std::array<const char*, 6> codes = {"U", "N", "B", "W", "UD", "BD"};
    // Tenths of a second, with the decimal comma.
    const auto tenths = static_cast<std::uintmax_t>(seconds * 10 + 0.5);
    std::string line = cp1250("Analiza zakończona w ") + group_digits(tenths / 10) + "," +
                       std::to_string(tenths % 10) + " s.";
    for (std::size_t i = 0; i < codes.size(); ++i) {
        line += std::string(i == 0 ? " " : ", ") + codes[i] + ": " + group_digits(counts[i]);
    }
    return line + ".";
}

std::string passed_over_text(std::size_t long_paths, std::size_t outside_links,
                             std::size_t unmeasured) {
    std::string said;
    // One line per count that is not zero.
    const auto line = [&said](std::string_view label, std::size_t count) {
        if (count > 0) {
            said.append(said.empty() ? "" : "\n").append(cp1250(label));
            said.append(group_digits(count));
        }
    };
    line("Pominięto folderów o zbyt długiej ścieżce: ", long_paths);
    line("Pominięto dowiązań do folderów poza katalogiem głównym: ", outside_links);
    line("Nie można odczytać długości plików (policzono je jako 0 B): ", unmeasured);
    return said;
}

} // namespace ferwis
