// Every text the game shows, byte for byte, UTF-8 with CR LF line breaks.
// They live here so that nobody retypes them: the record's design-time
// state, the game's results and the tests all read the same constants.
#pragma once

#include <string_view>

namespace texts {

inline constexpr std::string_view kTitle = "Зимарела";

inline constexpr std::string_view kDoorsFrame = "Възможен избор";
inline constexpr std::string_view kChooserFrame = "Кой избира";
inline constexpr std::string_view kChooseDirect = "Директен избор от играч";
inline constexpr std::string_view kChooseHost = "Водещият предлага";
inline constexpr std::string_view kOffer = "Предложение";
inline constexpr std::string_view kNewGame = "Нова игра";
inline constexpr std::string_view kGamesCaption = "Игри:";
inline constexpr std::string_view kWinsCaption = "Спечелени:";

// A closed door reads "Врата N"; the host's open doors read "Зелка!".
inline constexpr std::string_view kDoorPrefix = "Врата";
inline constexpr std::string_view kCabbage = "Зелка!";
inline constexpr std::string_view kJackpot = "Джакпот!";

inline constexpr std::string_view kResultHeading = "Резултат след окончателния избор:";
inline constexpr std::string_view kLineBreak = "\r\n";

// What a screen reader calls the result box, which has no caption of its own.
inline constexpr std::string_view kResultBoxName = "Резултат";
// What a screen reader calls the close box of the title bar that the game
// draws itself where the desktop does not.
inline constexpr std::string_view kCloseBoxName = "Затвори";

// What the web page tells a search engine, or a chat that previews a link
// to it, about the game.
inline constexpr std::string_view kPageDescription =
    "Игра за избор при несигурност: зад една от осем врати чака джакпот, "
    "зад другите седем има зелка. Помолете водещия да отвори празна врата "
    "или изберете сами.";

// What the web page shows in its result box where the browser cannot run
// the game: WebAssembly is missing (some hardened modes remove it) or
// refuses to compile or start it.
inline constexpr std::string_view kBrowserCannotRun =
    "Този браузър не може да пусне играта: WebAssembly в него липсва, "
    "изключен е или не успя да я зареди.";

// What the web page shows over its result box where JavaScript is off: the
// window is drawn, but nothing on it can answer.
inline constexpr std::string_view kJavaScriptOff =
    "Този браузър не може да пусне играта: JavaScript в него е изключен. "
    "Включете го и заредете страницата отново.";

// Door codes, as the hidden list box stores them.
inline constexpr std::string_view kCodeOpened = "0";
inline constexpr std::string_view kCodeClosed = "1";
inline constexpr std::string_view kCodeJackpot = "2";

inline constexpr std::string_view kSponsorNotice =
    "Ядосаният спонсор: Ало, водещият, не подсказвай толкова, "
    "че ще ти удържа наградата от заплатата!";

inline constexpr std::string_view kIntroduction =
    "Опортюнист е синоним на приспособленец, безпринципен човек. \r\n"
    "Такъв човек се стреми да използува всички облаги на момента, като "
    "потъпква дори собствените си убеждения.\r\n"
    "Съществуват реалити игри, в които главният герой е подложен на стрес, "
    "а страничният наблюдател ясно вижда реалната подмяна на предварително "
    "дефинираните ценности.\r\n"
    "Да се реализира проект, представящ междупредметни връзки Философия и "
    "Информатика.\r\n"
    "Тема на проекта: Зимарела.\r\n"
    "Възможните варианти за избор от врати са представени като група "
    "радиобутони - само един е печеливш. Компютърът предварително избира "
    "печеливш номер, но последният не е известен на играча.\r\n"
    "Играчът трябва да отгатне печеливш номер врата от общо N броя. Има право "
    "на избор от следните възможности:\r\n"
    "директно посочи конкретен номер врата;\r\n"
    "да изчака водещият да отвори нова врата. Това, обаче, е свързано с "
    "изпълняване на конкретни искания на водещия.\r\n"
    "По време на играта е възможно да се намеси скрит участник, който "
    "забранява на водещия да отваря нова врата.\r\n"
    "Когато играчът посочи конкретен номер играта приключва със съобщение за "
    "печалба (играчът е познал) или за загуба.\r\n";

inline constexpr std::string_view kLesson =
    "Загубихте, т.к. играхте твърде хазартно. Имахте шанс, но го \r\n"
    "пропуснахте.\r\n"
    "В самото начало шансът на играча е 1/8, но след като \r\n"
    "водещият отвари 5 празни врати шансът Ви нарастна до 1/3. \r\n"
    "Отново нямате пълна гаранция за успех, но имате по-висок \r\n"
    "шанс.\r\n"
    "\r\n"
    "Неприятното в това да си първият, направил нещо по \r\n"
    "правилния начин, е, че никой не оценява колко трудно е \r\n"
    "било. \r\n";

}  // namespace texts
