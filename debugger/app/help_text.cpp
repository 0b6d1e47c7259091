#include "help_text.h"

namespace tarnik {

const char* const HELP_TEXT =
    "Przygotowanie, napisanego w asemblerze, programu do uruchomienia.\n"
    "\n"
    "Program w asemblerze 8051 zapisz w pliku nazwa.asm i przetłumacz go asemblerem TarnikAsm\n"
    "(tarnikasm nazwa.asm). Asembler zapisuje obok źródła dwa pliki: nazwa.hex, czyli program\n"
    "w formacie Intel HEX, i nazwa.lst, czyli listing z adresami, kodem i komunikatami o\n"
    "błędach. Plik nazwa.hex powstaje tylko wtedy, gdy w programie nie było błędów.\n"
    "\n"
    "Opis programu Tarnik.\n"
    "\n"
    "Plik HEX otwiera polecenie File > Open; można go też podać jako pierwszy parametr w\n"
    "wierszu poleceń (tarnik nazwa.hex), a zostanie otwarty zaraz po pokazaniu okna.\n"
    "Po otwarciu pliku program szuka płytki Tarnik kolejno na portach COM1 do COM4, odczytuje\n"
    "wersję jej monitora, przesyła program do pamięci RAM płytki i uruchamia go w trybie\n"
    "pracy krokowej: program zatrzymuje się na pierwszej instrukcji, pod adresem 0000H.\n"
    "\n"
    "Polecenia menu Run:\n"
    "  Reset (F6) - ponowne przesłanie programu i powrót do jego początku;\n"
    "  Step (Ctrl+F7) - wykonanie jednej instrukcji;\n"
    "  Step over (F8) - jak Step, ale wywołanie podprogramu (LCALL, ACALL) wykonuje się w\n"
    "    całości;\n"
    "  Step over Tarnik subroutines (F7) - jak Step, ale w całości wykonują się tylko\n"
    "    wywołania podprogramów monitora (adresy od 8000H);\n"
    "  Next line (Shift+F7) - wykonanie programu aż do następnej linii, np. do końca pętli;\n"
    "  Run (F9) - uruchomienie programu z pełną szybkością.\n"
    "Po poleceniu Run program pracuje bez kontroli debuggera; aby ją odzyskać, naciśnij na\n"
    "płytce przycisk [RESET ROM], a potem w programie przycisk Reset.\n"
    "Next line w podprogramach monitora (w pamięci EPROM, od 8000H) jest wykonywane krok po\n"
    "kroku i dlatego trwa wielokrotnie dłużej niż w programie w pamięci RAM.\n"
    "Okno stosu pokazuje XX w miejscu czterech bajtów powyżej wskaźnika stosu, których\n"
    "używa monitor, oraz adresów spoza wewnętrznej pamięci RAM (od 80H).\n"
    "\n"
    "Ograniczenia pracy krokowej Tarnik.\n"
    "\n"
    "Monitor płytki zajmuje część zasobów mikrokontrolera:\n"
    "  - przerwanie INT0: pod adresem 0003H monitor wpisuje skok LJMP do swojej obsługi\n"
    "    pracy krokowej, dlatego program musi zaczynać się instrukcją LJMP do adresu 0006H\n"
    "    lub dalszego;\n"
    "  - 4 bajty stosu powyżej wskaźnika SP, dlatego SP może wynosić najwyżej 7BH;\n"
    "  - Timer 2 pracuje z pełną szybkością także podczas pracy krokowej;\n"
    "  - rejestr priorytetów przerwań IP nie jest kontrolowany;\n"
    "  - pamięć RAM od 7F00H do 7FFFH należy do monitora;\n"
    "  - port szeregowy i Timer 1 służą do łączności z komputerem.\n"
    "\n"
    "Kolejne wersje programu.\n"
    "\n"
    "  3.00  25.09.2002  pierwsza wersja\n"
    "  3.0.1 14.02.2003  wyszukiwanie płytki na portach COM1 - COM4\n"
    "  3.0.2 03.10.2003  polecenie Step over Tarnik subroutines\n"
    "  3.0.3 22.04.2004  monitory 2.3 i 2.4\n"
    "  3.0.4 09.03.2005  płytki Tarnik-R, Tarnik-S i Tarnik-T\n"
    "  3.0.5 17.10.2005  monitor 3.0, ostrzeżenie o braku miejsca na stosie\n";

const char* const ABOUT_TITLE = "Tarnik";
const char* const ABOUT_VERSION = "Wersja 4.0.1";
const char* const ABOUT_COPYRIGHT = "Oprogramowanie płytki Tarnik";
const char* const ABOUT_WEB = "www.tarnik.example";

} // namespace tarnik
