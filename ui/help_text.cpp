#include "ui/help_text.h"

#include "common/code_page.h"

#include <string_view>

namespace ferwis {
namespace {

constexpr std::string_view kHelp = R"(Program służy do:
1. Wyodrębnienia wszystkich plików używanych przez scenerie.
2. Wykazania brakujących plików scenerii.
3. Wykazania plików nieużywanych w katalogach MODELS, SCENERY, SOUNDS i TEXTURES.
4. Wykazania plików *.wav używanych przez tabor (katalog DYNAMIC).
5. Wykazania plików *.wav brakujących dla taboru.

Program potrafi:
1. Odnaleźć plik graficzny, gdy odwołanie nie podaje jego rozszerzenia.
2. Wychwycić plik podany w dyrektywie "//$f pl" (z reguły opis scenariusza w katalogu INNE).
3. Wychwycić pliki napisów (*.txt w katalogu SOUNDS) do nagranych plików *.wav, jeżeli taki
   plik istnieje.
4. Wychwycić pliki rozkładów jazdy podane w zdarzeniu z poleceniem "timetable:".
5. Wychwycić pliki *.wav w katalogu SCENERY, jeżeli istnieje plik rozkładu jazdy i plik
   *.wav do niego należy.
6. Wykazać używane i brakujące pliki *.wav taboru.
Jeżeli zauważysz rodzaj używanego pliku, którego program jeszcze nie wychwytuje, zgłoś to,
proszę.

Specyfikacja programu:
1. Program wykazuje pliki używane i brakujące scenerii: *.scn, *.scm, *.ctr, *.inc, *.t3d,
   *.e3d, *.wav oraz tekstury *.dds, *.tga, *.bmp, *.tex, łącznie z teksturami podanymi
   wewnątrz plików *.e3d, tak że paczka może zawierać zarówno modele *.t3d, jak i *.e3d.
2. Program uwzględnia dyrektywy "//$i" (obrazek - logo scenerii) i "//$f pl" (plik
   dodatkowy, z reguły opis lub rozkład jazdy z katalogu INNE; odwołania zawarte w tym pliku
   nie są sprawdzane) oraz pliki *.wav rozkładów jazdy w katalogu SCENERY.
3. Program wykazuje używane i brakujące pliki *.wav taboru.
4. Na tej podstawie program wykazuje pliki nieużywane w katalogach MODELS, SCENERY, SOUNDS i
   TEXTURES.
5. Wynik można wyświetlić w sześciu kategoriach: "Używane sceneryjne", "Nieużywane", "Braki
   sceneryjne", "Wyjątki", "Używane *.wav DYNAMIC", "Braki *.wav DYNAMIC" (czym są wyjątki,
   wyjaśnia punkt 2 części "Praca z programem:").
6. Pliki kategorii "Używanych sceneryjnych", "Nieużywanych" i "Używanych *.wav DYNAMIC"
   można skopiować lub przesunąć do podanej ścieżki albo usunąć.

Praca z programem:
1. Program i plik ferwis.ini umieść w dowolnym miejscu na komputerze.
2. W pliku ferwis.ini ustaw cztery sekcje:
   [sciezka_dostepu] - ścieżka katalogu głównego symulatora;
   [domyslne_rozszerzenie] - domyślne rozszerzenie tekstur (dds, tga, bmp lub tex), które
      wyznacza kolejność szukania tekstury, gdy odwołanie nie podaje rozszerzenia:
      dds: *.dds, *.tga, *.bmp, *.tex
      tga: *.tga, *.dds, *.bmp, *.tex
      bmp: *.bmp, *.tga, *.dds, *.tex
      tex: *.tex, *.tga, *.dds, *.bmp
   [sciezka_kopiowania_przesuwania] - katalog, do którego program kopiuje lub przesuwa
      pliki;
   [pomijane_foldery_pliki] - foldery i pliki pomijane w analizie, po jednym w wierszu,
      podane względem katalogu głównego symulatora; program nazywa je wyjątkami.
3. Uruchom program i wybierz scenerie: jedną, aby wyodrębnić jej używane pliki; wszystkie,
   aby znaleźć pliki nieużywane i brakujące całej instalacji; dowolną, aby sprawdzić pliki
   *.wav taboru, które sprawdza każda analiza.
4. Naciśnij przycisk "Analizuj" i obserwuj wyświetlaną fazę działania programu.
5. Wybierz kategorię i naciśnij "Wyświetl"; zaznaczone pozycje listy trafiają do schowka.
6. Wybierz kategorię i działanie (kopiowanie, przesuwanie lub usuwanie) i naciśnij
   "Wykonaj".
7. Wynik analizy zapisywany jest w pliku wynik.txt w katalogu programu; plik ten można
   poprawiać ręcznie.
8. Przyciski "Wyświetl" i "Wykonaj" są dostępne tylko wtedy, gdy istnieje plik wynik.txt,
   więc wynik można obejrzeć także przy następnym uruchomieniu programu, chyba że pliki
   zostały przesunięte lub usunięte.

Uwagi:
1. Plik bez znaków końca wiersza jest czytany jako jeden długi wiersz.
2. Wiersz zdarzenia przypisującego plik rozkładu jazdy, podzielony na kilka wierszy, może
   zostać pominięty.
3. Dołączenie pliku, po którego końcu stoją komentarze z wieloma odstępami, jest brane za
   dołączenie z parametrami.
Jeżeli napotkasz problem w działaniu programu, zgłoś go, proszę.
)";

std::string build_help_text() {
    std::string text;
    for (const char c : cp1250(kHelp)) {
        if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace

const std::string& help_text() {
    static const std::string text = build_help_text();
    return text;
}

} // namespace ferwis
