// Literals in LanguageIndex order: English, French, German, Italian, Japanese,
// Korean, Spanish, Dutch, Russian, Chinese, Finnish.
#include "firmware/UpdateMessages.h"

#include "device/ProductCatalogue.h"

namespace {

#define TORVIK_UPDATE_ENTRY(name, ...) {UpdateMessageId::name, #name, {__VA_ARGS__}}

constexpr UpdateMessageEntry kMessages[] = {
    TORVIK_UPDATE_ENTRY(TextNoBackupFirmware,
        L"NO backup firmware",
        L"AUCUNE sauvegarde du micrologiciel",
        L"KEINE Firmware-Sicherung",
        L"NESSUN backup del firmware",
        L"バックアップファームウェアがありません",
        L"백업 펌웨어 없음",
        L"NO hay copia de seguridad del firmware",
        L"GEEN back-up van de firmware",
        L"НЕТ резервной копии прошивки",
        L"没有备份固件",
        L"EI laiteohjelmiston varmuuskopiota"),
    TORVIK_UPDATE_ENTRY(TextNoBackupFirmwareOnServer,
        L"No backup firmware on the server",
        L"Aucune sauvegarde du micrologiciel sur le serveur",
        L"Keine Firmware-Sicherung auf dem Server",
        L"Nessun backup del firmware sul server",
        L"サーバーにバックアップファームウェアがありません",
        L"서버에 백업 펌웨어가 없습니다",
        L"No hay copia de seguridad del firmware en el servidor",
        L"Geen back-up van de firmware op de server",
        L"На сервере нет резервной копии прошивки",
        L"服务器上没有备份固件",
        L"Palvelimella ei ole laiteohjelmiston varmuuskopiota"),
    TORVIK_UPDATE_ENTRY(TextCheckingFirmware,
        L"Checking firmware",
        L"Vérification du micrologiciel",
        L"Firmware wird geprüft",
        L"Verifica del firmware",
        L"ファームウェアを確認中",
        L"펌웨어 확인 중",
        L"Comprobando el firmware",
        L"Firmware controleren",
        L"Проверка прошивки",
        L"正在检查固件",
        L"Tarkistetaan laiteohjelmistoa"),
    TORVIK_UPDATE_ENTRY(TextCheckingBackupFirmware,
        L"Checking backup firmware",
        L"Vérification de la sauvegarde du micrologiciel",
        L"Firmware-Sicherung wird geprüft",
        L"Verifica del backup del firmware",
        L"バックアップファームウェアを確認中",
        L"백업 펌웨어 확인 중",
        L"Comprobando la copia de seguridad del firmware",
        L"Back-up van de firmware controleren",
        L"Проверка резервной копии прошивки",
        L"正在检查备份固件",
        L"Tarkistetaan laiteohjelmiston varmuuskopiota"),
    TORVIK_UPDATE_ENTRY(TextCannotGetStatus,
        L"Cannot get status",
        L"Impossible d'obtenir l'état",
        L"Status nicht abrufbar",
        L"Impossibile ottenere lo stato",
        L"状態を取得できません",
        L"상태를 가져올 수 없습니다",
        L"No se puede obtener el estado",
        L"Kan status niet ophalen",
        L"Не удаётся получить состояние",
        L"无法获取状态",
        L"Tilaa ei saada"),
    TORVIK_UPDATE_ENTRY(TextFirmwareCorrupted,
        L"Firmware corrupted",
        L"Micrologiciel endommagé",
        L"Firmware beschädigt",
        L"Firmware danneggiato",
        L"ファームウェアが破損しています",
        L"펌웨어가 손상되었습니다",
        L"Firmware dañado",
        L"Firmware beschadigd",
        L"Прошивка повреждена",
        L"固件已损坏",
        L"Laiteohjelmisto on vioittunut"),
    TORVIK_UPDATE_ENTRY(TextWithoutBackupFirmware,
        L"without backup firmware",
        L"sans sauvegarde du micrologiciel",
        L"ohne Firmware-Sicherung",
        L"senza backup del firmware",
        L"バックアップファームウェアなし",
        L"백업 펌웨어 없이",
        L"sin copia de seguridad del firmware",
        L"zonder back-up van de firmware",
        L"без резервной копии прошивки",
        L"无备份固件",
        L"ilman laiteohjelmiston varmuuskopiota"),
    TORVIK_UPDATE_ENTRY(TextAboutToMakeBackupFirmware,
        L"about to make backup firmware",
        L"sauvegarde du micrologiciel en préparation",
        L"Firmware-Sicherung wird erstellt",
        L"creazione del backup del firmware",
        L"バックアップファームウェアを作成します",
        L"백업 펌웨어를 만드는 중",
        L"a punto de crear la copia de seguridad del firmware",
        L"back-up van de firmware wordt gemaakt",
        L"создание резервной копии прошивки",
        L"即将创建备份固件",
        L"laiteohjelmiston varmuuskopio luodaan"),
    TORVIK_UPDATE_ENTRY(TextCannotGetDevice,
        L"Cannot get device",
        L"Impossible d'accéder à l'appareil",
        L"Gerät nicht erreichbar",
        L"Impossibile accedere al dispositivo",
        L"デバイスを取得できません",
        L"장치를 가져올 수 없습니다",
        L"No se puede acceder al dispositivo",
        L"Kan apparaat niet bereiken",
        L"Не удаётся получить доступ к устройству",
        L"无法获取设备",
        L"Laitetta ei saada"),
    TORVIK_UPDATE_ENTRY(TextPressButtonFormat,
        L"Press the [%s] button",
        L"Appuyez sur le bouton [%s]",
        L"Drücken Sie die Schaltfläche [%s]",
        L"Premi il pulsante [%s]",
        L"[%s]ボタンを押してください",
        L"[%s] 버튼을 누르세요",
        L"Pulse el botón [%s]",
        L"Druk op de knop [%s]",
        L"Нажмите кнопку [%s]",
        L"请按[%s]按钮",
        L"Paina [%s]-painiketta"),
    TORVIK_UPDATE_ENTRY(TextFailedToDownloadLatestFirmware,
        L"Failed to download latest firmware",
        L"Échec du téléchargement du dernier micrologiciel",
        L"Herunterladen der neuesten Firmware fehlgeschlagen",
        L"Download dell'ultimo firmware non riuscito",
        L"最新ファームウェアのダウンロードに失敗しました",
        L"최신 펌웨어를 다운로드하지 못했습니다",
        L"Error al descargar el firmware más reciente",
        L"Downloaden van de nieuwste firmware mislukt",
        L"Не удалось загрузить последнюю прошивку",
        L"下载最新固件失败",
        L"Uusimman laiteohjelmiston lataus epäonnistui"),
    TORVIK_UPDATE_ENTRY(TextAboutToDownloadLatestFirmware,
        L"about to download latest firmware",
        L"téléchargement du dernier micrologiciel",
        L"neueste Firmware wird heruntergeladen",
        L"download dell'ultimo firmware",
        L"最新ファームウェアをダウンロードします",
        L"최신 펌웨어를 다운로드하는 중",
        L"a punto de descargar el firmware más reciente",
        L"nieuwste firmware wordt gedownload",
        L"загрузка последней прошивки",
        L"即将下载最新固件",
        L"uusin laiteohjelmisto ladataan"),
    TORVIK_UPDATE_ENTRY(TextAboutToDownloadBackupFirmware,
        L"about to download backup firmware",
        L"téléchargement de la sauvegarde du micrologiciel",
        L"Firmware-Sicherung wird heruntergeladen",
        L"download del backup del firmware",
        L"バックアップファームウェアをダウンロードします",
        L"백업 펌웨어를 다운로드하는 중",
        L"a punto de descargar la copia de seguridad del firmware",
        L"back-up van de firmware wordt gedownload",
        L"загрузка резервной копии прошивки",
        L"即将下载备份固件",
        L"laiteohjelmiston varmuuskopio ladataan"),
    TORVIK_UPDATE_ENTRY(TextUsbNotMatch,
        L"USB not match",
        L"USB non concordant",
        L"USB stimmt nicht überein",
        L"USB non corrispondente",
        L"USBが一致しません",
        L"USB가 일치하지 않습니다",
        L"El USB no coincide",
        L"USB komt niet overeen",
        L"USB не совпадает",
        L"USB不匹配",
        L"USB ei täsmää"),
    TORVIK_UPDATE_ENTRY(TextCannotUpdateFirmware,
        L"Cannot update firmware",
        L"Impossible de mettre à jour le micrologiciel",
        L"Firmware kann nicht aktualisiert werden",
        L"Impossibile aggiornare il firmware",
        L"ファームウェアを更新できません",
        L"펌웨어를 업데이트할 수 없습니다",
        L"No se puede actualizar el firmware",
        L"Kan firmware niet bijwerken",
        L"Не удаётся обновить прошивку",
        L"无法更新固件",
        L"Laiteohjelmistoa ei voi päivittää"),
    // The model's display name in place of "%s".
    TORVIK_UPDATE_ENTRY(FirmwareNotForTemplate,
        L"Firmware not for %s",
        L"Micrologiciel non destiné à %s",
        L"Keine %s Firmware",
        L"Firmware non per %s",
        L"%s用のファームウェアではありません",
        L"%s용 펌웨어가 아닙니다",
        L"Firmware no válido para %s",
        L"Firmware niet voor %s",
        L"Прошивка не для %s",
        L"不是%s的固件",
        L"Laiteohjelmisto ei ole laitteelle %s"),
    // "Press the [RESTORE] button" in place of "%s"; in Japanese, Korean and
    // Chinese it ends the sentence.
    TORVIK_UPDATE_ENTRY(PressAfterLanguageTemplate,
        L"%s after selecting voice prompt language",
        L"%s après avoir choisi la langue des messages vocaux",
        L"%s, nachdem Sie die Sprache der Sprachansagen gewählt haben",
        L"%s dopo aver scelto la lingua dei messaggi vocali",
        L"音声プロンプト言語を選んで%s",
        L"음성 안내 언어를 선택한 후 %s",
        L"%s después de elegir el idioma de las indicaciones de voz",
        L"%s na het kiezen van de taal van de gesproken berichten",
        L"%s после выбора языка голосовых подсказок",
        L"选择语音提示语言后%s",
        L"%s, kun olet valinnut puheopasteiden kielen"),
};

#undef TORVIK_UPDATE_ENTRY

static_assert(std::size(kMessages) == static_cast<size_t>(UpdateMessageId::Count));

// The headset's voice-prompt code by LanguageIndex.
constexpr int kVoicePromptCodes[LanguageCount] = {0, 1, 4, 3, 6, 5, 2, 7, 8, 9, 10};

CString FilledWith(UpdateMessageId id, const wchar_t* value, LanguageIndex language)
{
    return CString::FillPlaceholders(UpdateMessageLiteral(id, language), {value});
}

}  // namespace

std::span<const UpdateMessageEntry> UpdateMessageTable() { return kMessages; }

const wchar_t* UpdateMessageLiteral(UpdateMessageId id, LanguageIndex language)
{
    const int index = static_cast<int>(id);
    if (index < 0 || index >= static_cast<int>(UpdateMessageId::Count)) return L"";
    return kMessages[index].text[static_cast<size_t>(TextColumn(language))];
}

#define TORVIK_UPDATE_MESSAGE_DEFINITION(name) \
    CString name(LanguageIndex language) { return CString(UpdateMessageLiteral(UpdateMessageId::name, language)); }
TORVIK_UPDATE_MESSAGES(TORVIK_UPDATE_MESSAGE_DEFINITION)
#undef TORVIK_UPDATE_MESSAGE_DEFINITION

CString TextFirmwareNotFor(int productId, LanguageIndex language)
{
    return FilledWith(UpdateMessageId::FirmwareNotForTemplate, GetModelName(productId, 0), language);
}

CString TextPressUpdateButton(LanguageIndex language)
{
    return FilledWith(UpdateMessageId::TextPressButtonFormat, TextUpdate(language), language);
}

CString TextPressRestoreButton(LanguageIndex language)
{
    return FilledWith(UpdateMessageId::TextPressButtonFormat, TextRestore(language), language);
}

CString TextPressRestoreAfterLanguage(LanguageIndex language)
{
    return FilledWith(UpdateMessageId::PressAfterLanguageTemplate, TextPressRestoreButton(language), language);
}

int VoicePromptLanguageCode(LanguageIndex language)
{
    return (language >= 0 && language < LanguageCount) ? kVoicePromptCodes[language] : 0;
}
