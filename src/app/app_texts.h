// The desktop application's own texts (UTF-8): captions of windows and controls and the titles
// of the message window, in one place so that tests compare with what the windows show.
#pragma once

namespace tavrix::app::texts {

inline constexpr char kApplicationTitle[] = "Обработка информации РП ЗУЛ-52А";
inline constexpr char kMainCaption[] = "Tavrix";

inline constexpr char kTitleAttention[] = "Внимание!";
inline constexpr char kTitleQuestion[] = "Вопрос!";
inline constexpr char kTitleWarning[] = "Предупреждение!";
inline constexpr char kTitleError[] = "Ошибка!";

inline constexpr char kOk[] = "Ок";
inline constexpr char kContinue[] = "Продолжить";
inline constexpr char kExit[] = "Выход";

inline constexpr char kBalloons[] = "Включить подсказки";
inline constexpr char kCreateReport[] = "Создать отчет";
inline constexpr char kRead[] = "Считать";
inline constexpr char kSave[] = "Сохранить";
inline constexpr char kColumnName[] = "Имя";
inline constexpr char kColumnDate[] = "Дата";

inline constexpr char kGroupLimiter[] = "Ограничитель";
inline constexpr char kGroupCrane[] = "Кран";
inline constexpr char kGroupService[] = "Сервисная организация";
inline constexpr char kGroupFileName[] = "Имя файла";

inline constexpr char kSplashLine[] = "Обработка данных РП ЗУЛ-52А, ЗУЛ-52Д, ЗУЛ-52Н, ЗУЛ-38";
inline constexpr char kSplashDesignVersion[] = "Версия 0.0.0.0";

// The initial title and text of the balloon, before its first tip.
inline constexpr char kBalloonTitle[] = "Заголовок";
inline constexpr char kBalloonText[] = "Текст";

// Under the file name after a report, followed by the workbook's path.
inline constexpr char kReportSavedTo[] = "Отчет сохранен: ";

inline constexpr char kLibraryPagePath[] = "/Libr/biblio_po.htm";

}  // namespace tavrix::app::texts
