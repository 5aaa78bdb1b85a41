// Literals in LanguageIndex order: English, French, German, Italian, Japanese,
// Korean, Spanish, Dutch, Russian, Chinese, Finnish.
#include "firmware/FirmwarePageTexts.h"

#include <iterator>

namespace {

#define TORVIK_PAGE_TEXT(name, ...) {FirmwarePageTextId::name, #name, {__VA_ARGS__}}

constexpr FirmwarePageTextEntry kTexts[] = {
    TORVIK_PAGE_TEXT(TextBrowse,
        L"Browse...",
        L"Parcourir...",
        L"Durchsuchen...",
        L"Sfoglia...",
        L"参照...",
        L"찾아보기...",
        L"Examinar...",
        L"Bladeren...",
        L"Обзор...",
        L"浏览...",
        L"Selaa\u2026"),
    TORVIK_PAGE_TEXT(TextDownload,
        L"Download...",
        L"Télécharger...",
        L"Herunterladen.",
        L"Download...",
        L"ダウンロード...",
        L"다운로드...",
        L"Descargar...",
        L"Downloaden...",
        L"Загрузить...",
        L"下载...",
        L"Lataa..."),
    TORVIK_PAGE_TEXT(TextLatestVersion,
        L"Latest Version",
        L"Dernière version",
        L"Neueste Version",
        L"Ultima versione",
        L"最新バージョン",
        L"최신 버전",
        L"Última versión",
        L"Nieuwste versie",
        L"Последняя версия",
        L"最新版本",
        L"Uusin versio"),
    TORVIK_PAGE_TEXT(TextFirmwareToUpdate,
        L"Firmware To Update",
        L"Micrologiciel à installer",
        L"Zu installierende Firmware",
        L"Firmware da aggiornare",
        L"更新するファームウェア",
        L"업데이트할 펌웨어",
        L"Firmware para actualizar",
        L"Bij te werken firmware",
        L"Прошивка для обновления",
        L"要更新的固件",
        L"Päivitettävä laiteohjelmisto"),
    // The visible text names its pattern, and the pattern follows it: a file
    // dialog shows only what the pattern says.
    TORVIK_PAGE_TEXT(TextFirmwareFileFilter,
        L"Firmware Files(*.img)|*.img|",
        L"Firmware Files(*.img)|*.img|",
        L"Firmware Files(*.img)|*.img|",
        L"Firmware Files(*.img)|*.img|",
        L"Firmware Files(*.img)|*.img|",
        L"Firmware Files(*.img)|*.img|",
        L"Firmware Files(*.img)|*.img|",
        L"Firmware Files(*.img)|*.img|",
        L"Firmware Files(*.img)|*.img|",
        L"Firmware Files(*.img)|*.img|",
        L"Firmware Files(*.img)|*.img|"),
    // The bracketed names are the captions of the Download and ACTION buttons.
    TORVIK_PAGE_TEXT(TextVoicePromptSteps,
        L"1. To change the language of the voice prompt, click on the drop down\n"
        L"    menu to select your desired voice prompt language.\n"
        L"2. Press [DOWNLOAD] to download the firmware for your desired voice\n"
        L"    prompt language to your computer.\n"
        L"3. Press [UPDATE] to proceed with the firmware update.",
        L"1. Pour changer la langue des messages vocaux, ouvrez le menu\n"
        L"    déroulant et choisissez la langue souhaitée.\n"
        L"2. Appuyez sur [TÉLÉCHARGER] pour copier sur votre ordinateur\n"
        L"    le micrologiciel dans la langue choisie.\n"
        L"3. Appuyez sur [METTRE À JOUR] pour lancer la mise à jour.",
        L"1. Um die Sprache der Sprachansagen zu ändern, wählen Sie im\n"
        L"    Auswahlmenü die gewünschte Sprache.\n"
        L"2. Drücken Sie [HERUNTERLADEN], um die Firmware in dieser\n"
        L"    Sprache auf Ihren Computer zu laden.\n"
        L"3. Drücken Sie [UPDATE], um das Firmware-Update zu starten.",
        L"1. Per cambiare la lingua dei messaggi vocali, aprire il menu\n"
        L"    a tendina e scegliere la lingua desiderata.\n"
        L"2. Premere [DOWNLOAD] per scaricare sul computer il firmware\n"
        L"    nella lingua desiderata.\n"
        L"3. Premere [AGGIORNA] per avviare l'aggiornamento del firmware.",
        L"1. 音声ガイドの言語を変更するには、ドロップダウン\n"
        L"    メニューで希望の言語を選択してください。\n"
        L"2. [ダウンロード] を押して、選択した言語のファームウェアを\n"
        L"    コンピューターにダウンロードします。\n"
        L"3. [アップデート] を押してファームウェアを更新します。",
        L"1. 음성 안내 언어를 바꾸려면 드롭다운 메뉴를 클릭하여\n"
        L"    원하는 언어를 선택하십시오.\n"
        L"2. [다운로드]를 눌러 선택한 언어의 펌웨어를\n"
        L"    컴퓨터에 다운로드하십시오.\n"
        L"3. [업데이트]를 눌러 펌웨어 업데이트를 진행하십시오.",
        L"1. Para cambiar el idioma de las indicaciones de voz, abra el\n"
        L"    menú desplegable y elija el idioma que desee.\n"
        L"2. Pulse [DESCARGAR] para descargar en su ordenador el\n"
        L"    firmware en el idioma elegido.\n"
        L"3. Pulse [ACTUALIZAR] para iniciar la actualización del firmware.",
        L"1. Om de taal van de gesproken meldingen te wijzigen, opent u\n"
        L"    het keuzemenu en kiest u de gewenste taal.\n"
        L"2. Druk op [DOWNLOADEN] om de firmware in de gekozen taal\n"
        L"    naar uw computer te downloaden.\n"
        L"3. Druk op [BIJWERKEN] om de firmware bij te werken.",
        L"1. Чтобы сменить язык голосовых подсказок, откройте\n"
        L"    раскрывающийся список и выберите нужный язык.\n"
        L"2. Нажмите [ЗАГРУЗИТЬ], чтобы загрузить на компьютер\n"
        L"    прошивку на выбранном языке.\n"
        L"3. Нажмите [ОБНОВИТЬ], чтобы начать обновление прошивки.",
        L"1. 要更改语音提示的语言，请点击下拉菜单\n"
        L"    选择所需的语音提示语言。\n"
        L"2. 按 [下载] 将所选语言的固件\n"
        L"    下载到您的计算机。\n"
        L"3. 按 [更新] 开始更新固件。",
        L"1. Vaihda ääniopastuksen kieli avaamalla pudotusvalikko\n"
        L"    ja valitsemalla haluamasi kieli.\n"
        L"2. Lataa valitun kielen laiteohjelmisto tietokoneellesi\n"
        L"    painamalla [LATAA].\n"
        L"3. Aloita laiteohjelmiston päivitys painamalla [PÄIVITÄ]."),
    TORVIK_PAGE_TEXT(TextClearPairingAdvice,
        L"It is strongly recommended to clear the existing pairing information from the phone and to perform a "
        L"Bluetooth pairing again. You need to reconfigure the device setting again according to your original "
        L"setting.",
        L"Il est vivement recommandé d'effacer les informations de couplage existantes du téléphone et "
        L"d'effectuer un nouveau couplage Bluetooth. Vous devez aussi reconfigurer les réglages de l'appareil "
        L"selon vos réglages d'origine.",
        L"Es wird dringend empfohlen, die vorhandenen Kopplungsdaten auf dem Telefon zu löschen und die "
        L"Bluetooth-Kopplung erneut durchzuführen. Die Geräteeinstellungen müssen Sie danach wieder wie "
        L"ursprünglich einrichten.",
        L"Si consiglia vivamente di cancellare dal telefono le informazioni di abbinamento esistenti e di "
        L"eseguire di nuovo l'abbinamento Bluetooth. Occorre poi configurare di nuovo le impostazioni del "
        L"dispositivo come in origine.",
        L"電話から既存のペアリング情報を削除し、Bluetooth ペアリングをやり直すことを強くお勧めします。"
        L"デバイスの設定も元の設定に合わせて再設定する必要があります。",
        L"휴대폰에서 기존 페어링 정보를 삭제하고 블루투스 페어링을 다시 하실 것을 강력히 권장합니다. "
        L"장치 설정도 원래 설정에 맞게 다시 구성해야 합니다.",
        L"Se recomienda encarecidamente borrar del teléfono la información de emparejamiento existente y "
        L"volver a realizar el emparejamiento Bluetooth. Deberá volver a configurar los ajustes del dispositivo "
        L"según su configuración original.",
        L"Het wordt sterk aanbevolen de bestaande koppelingsgegevens van de telefoon te wissen en opnieuw een "
        L"Bluetooth-koppeling uit te voeren. U moet de apparaatinstellingen daarna opnieuw instellen zoals ze "
        L"oorspronkelijk waren.",
        L"Настоятельно рекомендуется удалить на телефоне существующие данные сопряжения и выполнить "
        L"сопряжение Bluetooth заново. Настройки устройства также нужно будет снова задать в соответствии "
        L"с прежними.",
        L"强烈建议清除手机中现有的配对信息并重新进行蓝牙配对。您还需要按照原来的设置重新配置设备设置。",
        L"On erittäin suositeltavaa poistaa puhelimesta nykyiset pariliitostiedot ja muodostaa "
        L"Bluetooth-pariliitos uudelleen. Laitteen asetukset on myös määritettävä uudelleen alkuperäisten "
        L"asetusten mukaisiksi."),
    TORVIK_PAGE_TEXT(TextCameraUpdateSteps,
        L"1. Disconnect the USB cable from the LUMEN.\n2. Wait until the LUMEN completes update and powers off.\n"
        L"3. Connect USB cable to the LUMEN and then power on it.\n4. Press [OK] button.\n",
        L"1. Débranchez le câble USB de la LUMEN.\n2. Attendez que la LUMEN termine la mise à jour et "
        L"s'éteigne.\n3. Rebranchez le câble USB à la LUMEN, puis allumez-la.\n4. Appuyez sur le bouton [OK].\n",
        L"1. Trennen Sie das USB-Kabel von der LUMEN.\n2. Warten Sie, bis die LUMEN das Update beendet und "
        L"sich ausschaltet.\n3. Schließen Sie das USB-Kabel an die LUMEN an und schalten Sie sie ein.\n"
        L"4. Drücken Sie die Schaltfläche [OK].\n",
        L"1. Scollegare il cavo USB dalla LUMEN.\n2. Attendere che la LUMEN completi l'aggiornamento e si "
        L"spenga.\n3. Collegare il cavo USB alla LUMEN e accenderla.\n4. Premere il pulsante [OK].\n",
        L"1. LUMEN から USB ケーブルを外します。\n2. LUMEN の更新が完了して電源が切れるまで待ちます。\n"
        L"3. USB ケーブルを LUMEN に接続し、電源を入れます。\n4. [OK] ボタンを押します。\n",
        L"1. LUMEN에서 USB 케이블을 분리하십시오.\n2. LUMEN의 업데이트가 끝나고 전원이 꺼질 때까지 "
        L"기다리십시오.\n3. USB 케이블을 LUMEN에 연결한 다음 전원을 켜십시오.\n4. [확인] 버튼을 누르십시오.\n",
        L"1. Desconecte el cable USB de la LUMEN.\n2. Espere a que la LUMEN termine la actualización y se "
        L"apague.\n3. Conecte el cable USB a la LUMEN y enciéndala.\n4. Pulse el botón [OK].\n",
        L"1. Koppel de USB-kabel los van de LUMEN.\n2. Wacht tot de LUMEN de update heeft voltooid en "
        L"uitschakelt.\n3. Sluit de USB-kabel aan op de LUMEN en zet hem aan.\n4. Druk op de knop [OK].\n",
        L"1. Отсоедините USB-кабель от LUMEN.\n2. Дождитесь, пока LUMEN завершит обновление и выключится.\n"
        L"3. Подключите USB-кабель к LUMEN и включите её.\n4. Нажмите кнопку [OK].\n",
        L"1. 从 LUMEN 上拔下 USB 数据线。\n2. 等待 LUMEN 完成更新并关机。\n"
        L"3. 将 USB 数据线连接到 LUMEN，然后开机。\n4. 按 [OK] 按钮。\n",
        L"1. Irrota USB-kaapeli LUMEN-kamerasta.\n2. Odota, kunnes LUMEN on päivittynyt ja sammunut.\n"
        L"3. Kytke USB-kaapeli LUMEN-kameraan ja käynnistä se.\n4. Paina [OK]-painiketta.\n"),
    TORVIK_PAGE_TEXT(TextNewFirmwareAvailable,
        L"New firmware is now available.\nWould you like to download it from the server and update onto it?",
        L"Un nouveau micrologiciel est disponible.\nVoulez-vous le télécharger depuis le serveur et l'installer ?",
        L"Eine neue Firmware ist verfügbar.\nMöchten Sie sie vom Server herunterladen und installieren?",
        L"È disponibile un nuovo firmware.\nScaricarlo dal server e installarlo?",
        L"新しいファームウェアが利用可能です。\nサーバーからダウンロードして更新しますか？",
        L"새 펌웨어를 사용할 수 있습니다.\n서버에서 다운로드하여 업데이트하시겠습니까?",
        L"Hay un nuevo firmware disponible.\n¿Desea descargarlo del servidor y actualizar?",
        L"Er is nieuwe firmware beschikbaar.\nWilt u deze van de server downloaden en installeren?",
        L"Доступна новая прошивка.\nЗагрузить её с сервера и выполнить обновление?",
        L"有新固件可用。\n是否从服务器下载并更新？",
        L"Uusi laiteohjelmisto on saatavilla.\nHaluatko ladata sen palvelimelta ja päivittää?"),
    TORVIK_PAGE_TEXT(TextCurrentVersion,
        L"Current version: v",
        L"Version actuelle : v",
        L"Aktuelle Version: v",
        L"Versione attuale: v",
        L"現在のバージョン: v",
        L"현재 버전: v",
        L"Versión actual: v",
        L"Huidige versie: v",
        L"Текущая версия: v",
        L"当前版本\uFF1Av",
        L"Nykyinen versio\uFF1Av"),
    TORVIK_PAGE_TEXT(TextNewVersion,
        L"New version: v",
        L"Nouvelle version : v",
        L"Neue Version: v",
        L"Nuova versione: v",
        L"新しいバージョン: v",
        L"새 버전: v",
        L"Nueva versión: v",
        L"Nieuwe versie: v",
        L"Новая версия: v",
        L"新版本\uFF1Av",
        L"Uusi versio\uFF1Av"),
    // "%s" is the success text of the update.
    TORVIK_PAGE_TEXT(PowerCycleToApplyTemplate,
        L"%s.\nPower off and power on GZM6 to apply new firmware.",
        L"%s.\nÉteignez puis rallumez le GZM6 pour appliquer le nouveau micrologiciel.",
        L"%s.\nSchalten Sie das GZM6 aus und wieder ein, um die neue Firmware zu übernehmen.",
        L"%s.\nSpegnere e riaccendere il GZM6 per applicare il nuovo firmware.",
        L"%s。\n新しいファームウェアを適用するには、GZM6 の電源を切ってから入れ直してください。",
        L"%s.\n새 펌웨어를 적용하려면 GZM6의 전원을 껐다가 다시 켜십시오.",
        L"%s.\nApague y vuelva a encender el GZM6 para aplicar el nuevo firmware.",
        L"%s.\nZet de GZM6 uit en weer aan om de nieuwe firmware toe te passen.",
        L"%s.\nВыключите и снова включите GZM6, чтобы применить новую прошивку.",
        L"%s。\n请关闭 GZM6 电源后重新开机以应用新固件。",
        L"%s.\nOta uusi laiteohjelmisto käyttöön sammuttamalla GZM6 ja käynnistämällä se uudelleen."),
};

#undef TORVIK_PAGE_TEXT

static_assert(std::size(kTexts) == static_cast<size_t>(FirmwarePageTextId::Count));

const wchar_t* Literal(FirmwarePageTextId id, LanguageIndex language)
{
    return TableLiteral(std::span<const FirmwarePageTextEntry>(kTexts), static_cast<int>(id), language);
}

}  // namespace

std::span<const FirmwarePageTextEntry> FirmwarePageTextTable() { return kTexts; }

#define TORVIK_FIRMWARE_PAGE_TEXT_DEFINITION(name) \
    CString name(LanguageIndex language) { return CString(Literal(FirmwarePageTextId::name, language)); }
TORVIK_FIRMWARE_PAGE_TEXTS(TORVIK_FIRMWARE_PAGE_TEXT_DEFINITION)
#undef TORVIK_FIRMWARE_PAGE_TEXT_DEFINITION

CString TextPowerCycleToApply(const wchar_t* successText, LanguageIndex language)
{
    return CString::FillPlaceholders(Literal(FirmwarePageTextId::PowerCycleToApplyTemplate, language), {successText});
}
