// The recognition texts, one row of eleven literals per text in LanguageIndex
// order: English, French, German, Italian, Japanese, Korean, Spanish, Dutch,
// Russian, Chinese, Finnish.
#include "device/ui/DialogDeviceRecognitionTexts.h"

#include <array>
#include <string>

namespace {

// The page of the maker with the Lumen Bar's firmware downloads.
const wchar_t kLumenBarFirmwarePage[] = L"www.torvik.example/lumen-bar/firmware";
// The brand named in the connection steps.
const wchar_t kBrand[] = L"TORVIK";

enum class Text : int {
    ActivatedTitle,
    CountTitle,
    Less,
    More,
    OddTitle,
    PressStep,
    UnplugStep,
    DisconnectStep,
    PowerOffStep,
    PowerOnStep,
    OemConnectStep,
    OemKeyStep,
    MakerSteps,
    OemList,
    ActivatedMessage,
    SupportMail,
    CountMessage,
    Obtained,
    Found,
    Problem,
    OtherDevice,
    Count
};

struct Entry {
    Text id;
    TextRow text;
};

// The maker-product instructions; line 14 is filled with the download page.
#define TORVIK_CRLF L"\r\n"

constexpr Entry kTexts[] = {
    {Text::ActivatedTitle,
     {L"Device activated", L"Appareil activé", L"Gerät aktiviert", L"Dispositivo attivato", L"デバイスを有効化しました",
      L"장치가 활성화됨", L"Dispositivo activado", L"Apparaat geactiveerd", L"Устройство активировано", L"设备已激活",
      L"Laite aktivoitu"}},
    {Text::CountTitle,
     {L"%s USB interface(s)", L"%s d'interfaces USB", L"%s USB-Schnittstellen", L"%s interfacce USB",
      L"USBインターフェースが%s", L"USB 인터페이스가 %s", L"%s interfaces USB", L"%s USB-interfaces",
      L"Число USB-интерфейсов: %s", L"USB 接口数量%s预期", L"USB-liitäntöjä %s"}},
    {Text::Less,
     {L"less", L"moins", L"weniger", L"meno", L"少ない", L"적습니다", L"menos", L"minder", L"меньше", L"少于",
      L"vähemmän"}},
    {Text::More,
     {L"more", L"plus", L"mehr", L"più", L"多い", L"많습니다", L"más", L"meer", L"больше", L"多于", L"enemmän"}},
    {Text::OddTitle,
     {L"odd USB interface(s)", L"interface(s) USB anormale(s)", L"ungewöhnliche USB-Schnittstelle(n)",
      L"interfacce USB anomale", L"異常なUSBインターフェース", L"비정상 USB 인터페이스", L"interfaces USB anómalas",
      L"afwijkende USB-interface(s)", L"нетипичные USB-интерфейсы", L"异常的 USB 接口",
      L"poikkeavat USB-liitännät"}},
    {Text::PressStep,
     {L"%d. Press the [%s >] button.", L"%d. Appuyez sur le bouton [%s >].", L"%d. Drücken Sie die Schaltfläche [%s >].",
      L"%d. Premi il pulsante [%s >].", L"%d. [%s >] ボタンを押してください。", L"%d. [%s >] 버튼을 누르세요.",
      L"%d. Pulse el botón [%s >].", L"%d. Druk op de knop [%s >].", L"%d. Нажмите кнопку [%s >].",
      L"%d. 按 [%s >] 按钮。", L"%d. Paina [%s >] -painiketta."}},
    {Text::UnplugStep,
     {L"1. Unplug the USB cable from PC.\n\n", L"1. Débranchez le câble USB du PC.\n\n",
      L"1. Ziehen Sie das USB-Kabel vom PC ab.\n\n", L"1. Scollega il cavo USB dal PC.\n\n",
      L"1. PCからUSBケーブルを外してください。\n\n", L"1. PC에서 USB 케이블을 뽑으세요.\n\n",
      L"1. Desconecte el cable USB del PC.\n\n", L"1. Koppel de USB-kabel los van de pc.\n\n",
      L"1. Отсоедините USB-кабель от ПК.\n\n", L"1. 从电脑上拔下 USB 线。\n\n",
      L"1. Irrota USB-kaapeli tietokoneesta.\n\n"}},
    {Text::DisconnectStep,
     {L"1. Disconnect all Bluetooth devices from PC.\n\n", L"1. Déconnectez tous les appareils Bluetooth du PC.\n\n",
      L"1. Trennen Sie alle Bluetooth-Geräte vom PC.\n\n", L"1. Disconnetti tutti i dispositivi Bluetooth dal PC.\n\n",
      L"1. PCからすべてのBluetoothデバイスを切断してください。\n\n",
      L"1. PC에서 모든 블루투스 장치의 연결을 끊으세요.\n\n",
      L"1. Desconecte todos los dispositivos Bluetooth del PC.\n\n",
      L"1. Verbreek de verbinding met alle Bluetooth-apparaten op de pc.\n\n",
      L"1. Отключите от ПК все Bluetooth-устройства.\n\n", L"1. 断开电脑上的所有蓝牙设备。\n\n",
      L"1. Katkaise kaikkien Bluetooth-laitteiden yhteys tietokoneeseen.\n\n"}},
    {Text::PowerOffStep,
     {L"2. Power off your %s product and connect it with PC \n    by the USB cable.\n\n",
      L"2. Éteignez votre produit %s et reliez-le au PC \n    avec le câble USB.\n\n",
      L"2. Schalten Sie Ihr %s-Produkt aus und verbinden Sie es \n    mit dem USB-Kabel mit dem PC.\n\n",
      L"2. Spegni il prodotto %s e collegalo al PC \n    con il cavo USB.\n\n",
      L"2. %s製品の電源を切り、USBケーブルで \n    PCに接続してください。\n\n",
      L"2. %s 제품의 전원을 끄고 USB 케이블로 \n    PC에 연결하세요.\n\n",
      L"2. Apague su producto %s y conéctelo al PC \n    con el cable USB.\n\n",
      L"2. Zet uw %s-product uit en sluit het met de USB-kabel \n    aan op de pc.\n\n",
      L"2. Выключите устройство %s и подключите его к ПК \n    USB-кабелем.\n\n",
      L"2. 关闭 %s 产品的电源，并用 USB 线 \n    将其连接到电脑。\n\n",
      L"2. Sammuta %s-tuote ja liitä se tietokoneeseen \n    USB-kaapelilla.\n\n"}},
    {Text::PowerOnStep,
     {L"3. Power on your %s product.\n\n\n", L"3. Allumez votre produit %s.\n\n\n",
      L"3. Schalten Sie Ihr %s-Produkt ein.\n\n\n", L"3. Accendi il prodotto %s.\n\n\n",
      L"3. %s製品の電源を入れてください。\n\n\n", L"3. %s 제품의 전원을 켜세요.\n\n\n",
      L"3. Encienda su producto %s.\n\n\n", L"3. Zet uw %s-product aan.\n\n\n", L"3. Включите устройство %s.\n\n\n",
      L"3. 打开 %s 产品的电源。\n\n\n", L"3. Käynnistä %s-tuote.\n\n\n"}},
    {Text::OemConnectStep,
     {L"1. Power off your product and connect it to your PC using the supplied microUSB cable.\n\n",
      L"1. Éteignez votre produit et reliez-le au PC avec le câble microUSB fourni.\n\n",
      L"1. Schalten Sie Ihr Produkt aus und verbinden Sie es mit dem mitgelieferten microUSB-Kabel mit Ihrem PC.\n\n",
      L"1. Spegni il prodotto e collegalo al PC con il cavo microUSB in dotazione.\n\n",
      L"1. 製品の電源を切り、付属のmicroUSBケーブルでPCに接続してください。\n\n",
      L"1. 제품의 전원을 끄고 제공된 microUSB 케이블로 PC에 연결하세요.\n\n",
      L"1. Apague su producto y conéctelo al PC con el cable microUSB suministrado.\n\n",
      L"1. Zet uw product uit en sluit het met de meegeleverde microUSB-kabel aan op uw pc.\n\n",
      L"1. Выключите устройство и подключите его к ПК прилагаемым кабелем microUSB.\n\n",
      L"1. 关闭产品电源，并用随附的 microUSB 线将其连接到电脑。\n\n",
      L"1. Sammuta tuote ja liitä se tietokoneeseen mukana tulleella microUSB-kaapelilla.\n\n"}},
    {Text::OemKeyStep,
     {L"2. Follow the instruction below that matches with your TORVIK product.\n"
      L" - Ostrel : Hold down the [-] Button fore more than 5 seconds.\n\n",
      L"2. Suivez l'instruction ci-dessous qui correspond à votre produit TORVIK.\n"
      L" - Ostrel : maintenez le bouton [-] enfoncé plus de 5 secondes.\n\n",
      L"2. Folgen Sie der Anleitung unten, die zu Ihrem TORVIK-Produkt passt.\n"
      L" - Ostrel: Halten Sie die Taste [-] länger als 5 Sekunden gedrückt.\n\n",
      L"2. Segui l'istruzione qui sotto relativa al tuo prodotto TORVIK.\n"
      L" - Ostrel: tieni premuto il pulsante [-] per più di 5 secondi.\n\n",
      L"2. お使いのTORVIK製品に合った以下の手順に従ってください。\n"
      L" - Ostrel: [-]ボタンを5秒以上押し続けてください。\n\n",
      L"2. 사용 중인 TORVIK 제품에 맞는 아래 안내를 따르세요.\n"
      L" - Ostrel: [-] 버튼을 5초 이상 누르고 있으세요.\n\n",
      L"2. Siga la instrucción de abajo que corresponda a su producto TORVIK.\n"
      L" - Ostrel: mantenga pulsado el botón [-] más de 5 segundos.\n\n",
      L"2. Volg hieronder de instructie die bij uw TORVIK-product hoort.\n"
      L" - Ostrel: houd de knop [-] langer dan 5 seconden ingedrukt.\n\n",
      L"2. Выполните указание ниже для вашего устройства TORVIK.\n"
      L" - Ostrel: удерживайте кнопку [-] более 5 секунд.\n\n",
      L"2. 请按照下方与您的 TORVIK 产品对应的说明操作。\n"
      L" - Ostrel：按住 [-] 按钮 5 秒以上。\n\n",
      L"2. Noudata alla TORVIK-tuotettasi koskevaa ohjetta.\n"
      L" - Ostrel: pidä [-]-painiketta painettuna yli 5 sekuntia.\n\n"}},
    {Text::MakerSteps,
     {L"1. Power off your product and connect it to your PC using the supplied microUSB cable." TORVIK_CRLF
      TORVIK_CRLF
      L"2. Follow the instruction below that matches with your Malvo product." TORVIK_CRLF
      L"   - V40, V60, Vantor, Vantor QN, ZKR, WTK-07: Leave it powered off." TORVIK_CRLF
      L"   - M7X, KR5, Lancer, Z9, M7Xpad, Vantor Mini: Hold down the [-] Button for more " TORVIK_CRLF
      L"      than 5 seconds." TORVIK_CRLF
      L"   - KS5, Grittalk: Hold down the Phone Button for more than 5 seconds." TORVIK_CRLF
      L"   - KC5: Make sure a microSD card (up to 32GB) is inserted in the KC5's microSD card" TORVIK_CRLF
      L"      slot then hold down the Phone Button for more than 5 seconds." TORVIK_CRLF
      L"   - Lumen: Make sure a microSD card (up to 32GB) is inserted in the Lumen's microSD" TORVIK_CRLF
      L"      card slot then power it on." TORVIK_CRLF
      L"   - Lumen Bar: Please do not use the Malvo Device Manager to update the Lumen Bar." TORVIK_CRLF
      L"      To update the Lumen Bar, please follow the Firmware Upgrade Guide here" TORVIK_CRLF
      L"      %s" TORVIK_CRLF
      L"   - Other Malvo Products not listed: Power it on." TORVIK_CRLF
      TORVIK_CRLF,
      L"1. Éteignez votre produit et reliez-le au PC avec le câble microUSB fourni." TORVIK_CRLF
      TORVIK_CRLF
      L"2. Suivez l'instruction ci-dessous qui correspond à votre produit Malvo." TORVIK_CRLF
      L"   - V40, V60, Vantor, Vantor QN, ZKR, WTK-07 : laissez-le éteint." TORVIK_CRLF
      L"   - M7X, KR5, Lancer, Z9, M7Xpad, Vantor Mini : maintenez le bouton [-] enfoncé " TORVIK_CRLF
      L"      plus de 5 secondes." TORVIK_CRLF
      L"   - KS5, Grittalk : maintenez le bouton Téléphone enfoncé plus de 5 secondes." TORVIK_CRLF
      L"   - KC5 : vérifiez qu'une carte microSD (32 Go max.) est insérée dans le lecteur" TORVIK_CRLF
      L"      microSD du KC5, puis maintenez le bouton Téléphone enfoncé plus de 5 secondes." TORVIK_CRLF
      L"   - Lumen : vérifiez qu'une carte microSD (32 Go max.) est insérée dans le lecteur" TORVIK_CRLF
      L"      microSD de la Lumen, puis allumez-la." TORVIK_CRLF
      L"   - Lumen Bar : n'utilisez pas le Malvo Device Manager pour mettre à jour la Lumen Bar." TORVIK_CRLF
      L"      Pour mettre à jour la Lumen Bar, suivez le guide de mise à jour du micrologiciel ici" TORVIK_CRLF
      L"      %s" TORVIK_CRLF
      L"   - Autres produits Malvo non listés : allumez-les." TORVIK_CRLF
      TORVIK_CRLF,
      L"1. Schalten Sie Ihr Produkt aus und verbinden Sie es mit dem mitgelieferten microUSB-Kabel mit Ihrem PC."
      TORVIK_CRLF
      TORVIK_CRLF
      L"2. Folgen Sie der Anleitung unten, die zu Ihrem Malvo-Produkt passt." TORVIK_CRLF
      L"   - V40, V60, Vantor, Vantor QN, ZKR, WTK-07: Lassen Sie es ausgeschaltet." TORVIK_CRLF
      L"   - M7X, KR5, Lancer, Z9, M7Xpad, Vantor Mini: Halten Sie die Taste [-] länger " TORVIK_CRLF
      L"      als 5 Sekunden gedrückt." TORVIK_CRLF
      L"   - KS5, Grittalk: Halten Sie die Telefontaste länger als 5 Sekunden gedrückt." TORVIK_CRLF
      L"   - KC5: Stellen Sie sicher, dass eine microSD-Karte (bis 32 GB) im microSD-Steckplatz" TORVIK_CRLF
      L"      des KC5 steckt, und halten Sie dann die Telefontaste länger als 5 Sekunden gedrückt." TORVIK_CRLF
      L"   - Lumen: Stellen Sie sicher, dass eine microSD-Karte (bis 32 GB) im microSD-Steckplatz" TORVIK_CRLF
      L"      der Lumen steckt, und schalten Sie sie dann ein." TORVIK_CRLF
      L"   - Lumen Bar: Bitte aktualisieren Sie die Lumen Bar nicht mit dem Malvo Device Manager." TORVIK_CRLF
      L"      Folgen Sie zum Aktualisieren der Lumen Bar der Firmware-Upgrade-Anleitung hier" TORVIK_CRLF
      L"      %s" TORVIK_CRLF
      L"   - Andere, nicht aufgeführte Malvo-Produkte: Schalten Sie sie ein." TORVIK_CRLF
      TORVIK_CRLF,
      L"1. Spegni il prodotto e collegalo al PC con il cavo microUSB in dotazione." TORVIK_CRLF
      TORVIK_CRLF
      L"2. Segui l'istruzione qui sotto relativa al tuo prodotto Malvo." TORVIK_CRLF
      L"   - V40, V60, Vantor, Vantor QN, ZKR, WTK-07: lascialo spento." TORVIK_CRLF
      L"   - M7X, KR5, Lancer, Z9, M7Xpad, Vantor Mini: tieni premuto il pulsante [-] per più " TORVIK_CRLF
      L"      di 5 secondi." TORVIK_CRLF
      L"   - KS5, Grittalk: tieni premuto il pulsante Telefono per più di 5 secondi." TORVIK_CRLF
      L"   - KC5: assicurati che una scheda microSD (fino a 32 GB) sia inserita nello slot microSD" TORVIK_CRLF
      L"      del KC5, poi tieni premuto il pulsante Telefono per più di 5 secondi." TORVIK_CRLF
      L"   - Lumen: assicurati che una scheda microSD (fino a 32 GB) sia inserita nello slot" TORVIK_CRLF
      L"      microSD della Lumen, poi accendila." TORVIK_CRLF
      L"   - Lumen Bar: non usare Malvo Device Manager per aggiornare la Lumen Bar." TORVIK_CRLF
      L"      Per aggiornare la Lumen Bar, segui la guida all'aggiornamento del firmware qui" TORVIK_CRLF
      L"      %s" TORVIK_CRLF
      L"   - Altri prodotti Malvo non elencati: accendili." TORVIK_CRLF
      TORVIK_CRLF,
      L"1. 製品の電源を切り、付属のmicroUSBケーブルでPCに接続してください。" TORVIK_CRLF
      TORVIK_CRLF
      L"2. お使いのMalvo製品に合った以下の手順に従ってください。" TORVIK_CRLF
      L"   - V40、V60、Vantor、Vantor QN、ZKR、WTK-07: 電源を切ったままにしてください。" TORVIK_CRLF
      L"   - M7X、KR5、Lancer、Z9、M7Xpad、Vantor Mini: [-]ボタンを5秒以上 " TORVIK_CRLF
      L"      押し続けてください。" TORVIK_CRLF
      L"   - KS5、Grittalk: 電話ボタンを5秒以上押し続けてください。" TORVIK_CRLF
      L"   - KC5: KC5のmicroSDカードスロットにmicroSDカード(32GBまで)が入っていることを確認し、" TORVIK_CRLF
      L"      電話ボタンを5秒以上押し続けてください。" TORVIK_CRLF
      L"   - Lumen: LumenのmicroSDカードスロットにmicroSDカード(32GBまで)が入っていることを確認し、" TORVIK_CRLF
      L"      電源を入れてください。" TORVIK_CRLF
      L"   - Lumen Bar: Lumen Barの更新にMalvo Device Managerを使わないでください。" TORVIK_CRLF
      L"      Lumen Barを更新するには、こちらのファームウェア更新ガイドに従ってください" TORVIK_CRLF
      L"      %s" TORVIK_CRLF
      L"   - その他の記載のないMalvo製品: 電源を入れてください。" TORVIK_CRLF
      TORVIK_CRLF,
      L"1. 제품의 전원을 끄고 제공된 microUSB 케이블로 PC에 연결하세요." TORVIK_CRLF
      TORVIK_CRLF
      L"2. 사용 중인 Malvo 제품에 맞는 아래 안내를 따르세요." TORVIK_CRLF
      L"   - V40, V60, Vantor, Vantor QN, ZKR, WTK-07: 전원을 끈 상태로 두세요." TORVIK_CRLF
      L"   - M7X, KR5, Lancer, Z9, M7Xpad, Vantor Mini: [-] 버튼을 5초 이상 " TORVIK_CRLF
      L"      누르고 있으세요." TORVIK_CRLF
      L"   - KS5, Grittalk: 전화 버튼을 5초 이상 누르고 있으세요." TORVIK_CRLF
      L"   - KC5: KC5의 microSD 카드 슬롯에 microSD 카드(최대 32GB)가 들어 있는지 확인한 다음" TORVIK_CRLF
      L"      전화 버튼을 5초 이상 누르고 있으세요." TORVIK_CRLF
      L"   - Lumen: Lumen의 microSD 카드 슬롯에 microSD 카드(최대 32GB)가 들어 있는지 확인한 다음" TORVIK_CRLF
      L"      전원을 켜세요." TORVIK_CRLF
      L"   - Lumen Bar: Lumen Bar를 업데이트할 때는 Malvo Device Manager를 사용하지 마세요." TORVIK_CRLF
      L"      Lumen Bar를 업데이트하려면 여기의 펌웨어 업그레이드 가이드를 따르세요" TORVIK_CRLF
      L"      %s" TORVIK_CRLF
      L"   - 목록에 없는 기타 Malvo 제품: 전원을 켜세요." TORVIK_CRLF
      TORVIK_CRLF,
      L"1. Apague su producto y conéctelo al PC con el cable microUSB suministrado." TORVIK_CRLF
      TORVIK_CRLF
      L"2. Siga la instrucción de abajo que corresponda a su producto Malvo." TORVIK_CRLF
      L"   - V40, V60, Vantor, Vantor QN, ZKR, WTK-07: déjelo apagado." TORVIK_CRLF
      L"   - M7X, KR5, Lancer, Z9, M7Xpad, Vantor Mini: mantenga pulsado el botón [-] más " TORVIK_CRLF
      L"      de 5 segundos." TORVIK_CRLF
      L"   - KS5, Grittalk: mantenga pulsado el botón de teléfono más de 5 segundos." TORVIK_CRLF
      L"   - KC5: asegúrese de que hay una tarjeta microSD (hasta 32 GB) en la ranura microSD" TORVIK_CRLF
      L"      del KC5 y mantenga pulsado el botón de teléfono más de 5 segundos." TORVIK_CRLF
      L"   - Lumen: asegúrese de que hay una tarjeta microSD (hasta 32 GB) en la ranura microSD" TORVIK_CRLF
      L"      de la Lumen y enciéndala." TORVIK_CRLF
      L"   - Lumen Bar: no use Malvo Device Manager para actualizar la Lumen Bar." TORVIK_CRLF
      L"      Para actualizar la Lumen Bar, siga la guía de actualización de firmware aquí" TORVIK_CRLF
      L"      %s" TORVIK_CRLF
      L"   - Otros productos Malvo no incluidos: enciéndalos." TORVIK_CRLF
      TORVIK_CRLF,
      L"1. Zet uw product uit en sluit het met de meegeleverde microUSB-kabel aan op uw pc." TORVIK_CRLF
      TORVIK_CRLF
      L"2. Volg hieronder de instructie die bij uw Malvo-product hoort." TORVIK_CRLF
      L"   - V40, V60, Vantor, Vantor QN, ZKR, WTK-07: laat het uitgeschakeld." TORVIK_CRLF
      L"   - M7X, KR5, Lancer, Z9, M7Xpad, Vantor Mini: houd de knop [-] langer dan " TORVIK_CRLF
      L"      5 seconden ingedrukt." TORVIK_CRLF
      L"   - KS5, Grittalk: houd de telefoonknop langer dan 5 seconden ingedrukt." TORVIK_CRLF
      L"   - KC5: zorg dat er een microSD-kaart (tot 32 GB) in de microSD-kaartsleuf van de KC5" TORVIK_CRLF
      L"      zit en houd dan de telefoonknop langer dan 5 seconden ingedrukt." TORVIK_CRLF
      L"   - Lumen: zorg dat er een microSD-kaart (tot 32 GB) in de microSD-kaartsleuf van de" TORVIK_CRLF
      L"      Lumen zit en zet hem dan aan." TORVIK_CRLF
      L"   - Lumen Bar: gebruik Malvo Device Manager niet om de Lumen Bar bij te werken." TORVIK_CRLF
      L"      Volg om de Lumen Bar bij te werken de handleiding voor firmware-upgrades hier" TORVIK_CRLF
      L"      %s" TORVIK_CRLF
      L"   - Andere, niet vermelde Malvo-producten: zet ze aan." TORVIK_CRLF
      TORVIK_CRLF,
      L"1. Выключите устройство и подключите его к ПК прилагаемым кабелем microUSB." TORVIK_CRLF
      TORVIK_CRLF
      L"2. Выполните указание ниже для вашего устройства Malvo." TORVIK_CRLF
      L"   - V40, V60, Vantor, Vantor QN, ZKR, WTK-07: оставьте его выключенным." TORVIK_CRLF
      L"   - M7X, KR5, Lancer, Z9, M7Xpad, Vantor Mini: удерживайте кнопку [-] " TORVIK_CRLF
      L"      более 5 секунд." TORVIK_CRLF
      L"   - KS5, Grittalk: удерживайте кнопку телефона более 5 секунд." TORVIK_CRLF
      L"   - KC5: убедитесь, что в слот microSD устройства KC5 вставлена карта microSD" TORVIK_CRLF
      L"      (до 32 ГБ), затем удерживайте кнопку телефона более 5 секунд." TORVIK_CRLF
      L"   - Lumen: убедитесь, что в слот microSD устройства Lumen вставлена карта microSD" TORVIK_CRLF
      L"      (до 32 ГБ), затем включите его." TORVIK_CRLF
      L"   - Lumen Bar: не используйте Malvo Device Manager для обновления Lumen Bar." TORVIK_CRLF
      L"      Чтобы обновить Lumen Bar, следуйте руководству по обновлению прошивки здесь" TORVIK_CRLF
      L"      %s" TORVIK_CRLF
      L"   - Другие продукты Malvo, не указанные выше: включите их." TORVIK_CRLF
      TORVIK_CRLF,
      L"1. 关闭产品电源，并用随附的 microUSB 线将其连接到电脑。" TORVIK_CRLF
      TORVIK_CRLF
      L"2. 请按照下方与您的 Malvo 产品对应的说明操作。" TORVIK_CRLF
      L"   - V40、V60、Vantor、Vantor QN、ZKR、WTK-07：保持关机。" TORVIK_CRLF
      L"   - M7X、KR5、Lancer、Z9、M7Xpad、Vantor Mini：按住 [-] 按钮 " TORVIK_CRLF
      L"      5 秒以上。" TORVIK_CRLF
      L"   - KS5、Grittalk：按住电话按钮 5 秒以上。" TORVIK_CRLF
      L"   - KC5：确认 KC5 的 microSD 卡槽中已插入 microSD 卡（最大 32GB），" TORVIK_CRLF
      L"      然后按住电话按钮 5 秒以上。" TORVIK_CRLF
      L"   - Lumen：确认 Lumen 的 microSD 卡槽中已插入 microSD 卡（最大 32GB），" TORVIK_CRLF
      L"      然后打开电源。" TORVIK_CRLF
      L"   - Lumen Bar：请勿使用 Malvo Device Manager 更新 Lumen Bar。" TORVIK_CRLF
      L"      要更新 Lumen Bar，请按照此处的固件升级指南操作" TORVIK_CRLF
      L"      %s" TORVIK_CRLF
      L"   - 其他未列出的 Malvo 产品：打开电源。" TORVIK_CRLF
      TORVIK_CRLF,
      L"1. Sammuta tuote ja liitä se tietokoneeseen mukana tulleella microUSB-kaapelilla." TORVIK_CRLF
      TORVIK_CRLF
      L"2. Noudata alla Malvo-tuotettasi koskevaa ohjetta." TORVIK_CRLF
      L"   - V40, V60, Vantor, Vantor QN, ZKR, WTK-07: jätä se sammutetuksi." TORVIK_CRLF
      L"   - M7X, KR5, Lancer, Z9, M7Xpad, Vantor Mini: pidä [-]-painiketta painettuna " TORVIK_CRLF
      L"      yli 5 sekuntia." TORVIK_CRLF
      L"   - KS5, Grittalk: pidä puhelinpainiketta painettuna yli 5 sekuntia." TORVIK_CRLF
      L"   - KC5: varmista, että KC5:n microSD-korttipaikassa on microSD-kortti (enintään 32 Gt)," TORVIK_CRLF
      L"      ja pidä sitten puhelinpainiketta painettuna yli 5 sekuntia." TORVIK_CRLF
      L"   - Lumen: varmista, että Lumenin microSD-korttipaikassa on microSD-kortti (enintään 32 Gt)," TORVIK_CRLF
      L"      ja käynnistä se sitten." TORVIK_CRLF
      L"   - Lumen Bar: älä päivitä Lumen Baria Malvo Device Managerilla." TORVIK_CRLF
      L"      Päivitä Lumen Bar noudattamalla laiteohjelmiston päivitysohjetta täällä" TORVIK_CRLF
      L"      %s" TORVIK_CRLF
      L"   - Muut luettelossa mainitsemattomat Malvo-tuotteet: käynnistä ne." TORVIK_CRLF
      TORVIK_CRLF}},
    {Text::OemList,
     {L"[Malvo OEM Products]\n"
      L"- M7X for Torvik Ostrel: Hold down the [-] Button for more than 5 seconds.\n"
      L"- M7X for Boreal Arrow: Hold down the [-] Button for more than 5 seconds.\n"
      L"- Gearhaus RT-3: Power it on.\n"
      L"- V40 for Thunder Motors: Leave it powered off.\n",
      L"[Produits OEM Malvo]\n"
      L"- M7X pour Torvik Ostrel : maintenez le bouton [-] enfoncé plus de 5 secondes.\n"
      L"- M7X pour Boreal Arrow : maintenez le bouton [-] enfoncé plus de 5 secondes.\n"
      L"- Gearhaus RT-3 : allumez-le.\n"
      L"- V40 pour Thunder Motors : laissez-le éteint.\n",
      L"[Malvo-OEM-Produkte]\n"
      L"- M7X für Torvik Ostrel: Halten Sie die Taste [-] länger als 5 Sekunden gedrückt.\n"
      L"- M7X für Boreal Arrow: Halten Sie die Taste [-] länger als 5 Sekunden gedrückt.\n"
      L"- Gearhaus RT-3: Schalten Sie es ein.\n"
      L"- V40 für Thunder Motors: Lassen Sie es ausgeschaltet.\n",
      L"[Prodotti OEM Malvo]\n"
      L"- M7X per Torvik Ostrel: tieni premuto il pulsante [-] per più di 5 secondi.\n"
      L"- M7X per Boreal Arrow: tieni premuto il pulsante [-] per più di 5 secondi.\n"
      L"- Gearhaus RT-3: accendilo.\n"
      L"- V40 per Thunder Motors: lascialo spento.\n",
      L"[Malvo OEM製品]\n"
      L"- M7X for Torvik Ostrel: [-]ボタンを5秒以上押し続けてください。\n"
      L"- M7X for Boreal Arrow: [-]ボタンを5秒以上押し続けてください。\n"
      L"- Gearhaus RT-3: 電源を入れてください。\n"
      L"- V40 for Thunder Motors: 電源を切ったままにしてください。\n",
      L"[Malvo OEM 제품]\n"
      L"- M7X for Torvik Ostrel: [-] 버튼을 5초 이상 누르고 있으세요.\n"
      L"- M7X for Boreal Arrow: [-] 버튼을 5초 이상 누르고 있으세요.\n"
      L"- Gearhaus RT-3: 전원을 켜세요.\n"
      L"- V40 for Thunder Motors: 전원을 끈 상태로 두세요.\n",
      L"[Productos OEM de Malvo]\n"
      L"- M7X para Torvik Ostrel: mantenga pulsado el botón [-] más de 5 segundos.\n"
      L"- M7X para Boreal Arrow: mantenga pulsado el botón [-] más de 5 segundos.\n"
      L"- Gearhaus RT-3: enciéndalo.\n"
      L"- V40 para Thunder Motors: déjelo apagado.\n",
      L"[Malvo OEM-producten]\n"
      L"- M7X voor Torvik Ostrel: houd de knop [-] langer dan 5 seconden ingedrukt.\n"
      L"- M7X voor Boreal Arrow: houd de knop [-] langer dan 5 seconden ingedrukt.\n"
      L"- Gearhaus RT-3: zet het aan.\n"
      L"- V40 voor Thunder Motors: laat het uitgeschakeld.\n",
      L"[OEM-продукты Malvo]\n"
      L"- M7X для Torvik Ostrel: удерживайте кнопку [-] более 5 секунд.\n"
      L"- M7X для Boreal Arrow: удерживайте кнопку [-] более 5 секунд.\n"
      L"- Gearhaus RT-3: включите его.\n"
      L"- V40 для Thunder Motors: оставьте его выключенным.\n",
      L"[Malvo OEM 产品]\n"
      L"- M7X for Torvik Ostrel：按住 [-] 按钮 5 秒以上。\n"
      L"- M7X for Boreal Arrow：按住 [-] 按钮 5 秒以上。\n"
      L"- Gearhaus RT-3：打开电源。\n"
      L"- V40 for Thunder Motors：保持关机。\n",
      L"[Malvon OEM-tuotteet]\n"
      L"- M7X for Torvik Ostrel: pidä [-]-painiketta painettuna yli 5 sekuntia.\n"
      L"- M7X for Boreal Arrow: pidä [-]-painiketta painettuna yli 5 sekuntia.\n"
      L"- Gearhaus RT-3: käynnistä se.\n"
      L"- V40 for Thunder Motors: jätä se sammutetuksi.\n"}},
    {Text::ActivatedMessage,
     {L"Device has successfully been activated upon recognition.\nFollow the instructions to recognize the device "
      L"again.\n\n%s",
      L"L'appareil a été activé lors de la reconnaissance.\nSuivez les instructions pour reconnaître à nouveau "
      L"l'appareil.\n\n%s",
      L"Das Gerät wurde bei der Erkennung aktiviert.\nFolgen Sie den Anweisungen, um das Gerät erneut zu "
      L"erkennen.\n\n%s",
      L"Il dispositivo è stato attivato durante il riconoscimento.\nSegui le istruzioni per riconoscere di nuovo il "
      L"dispositivo.\n\n%s",
      L"認識時にデバイスが有効化されました。\n手順に従ってデバイスをもう一度認識させてください。\n\n%s",
      L"인식 중에 장치가 활성화되었습니다.\n안내에 따라 장치를 다시 인식시키세요.\n\n%s",
      L"El dispositivo se ha activado durante el reconocimiento.\nSiga las instrucciones para volver a reconocer el "
      L"dispositivo.\n\n%s",
      L"Het apparaat is bij de herkenning geactiveerd.\nVolg de instructies om het apparaat opnieuw te laten "
      L"herkennen.\n\n%s",
      L"Устройство активировано при распознавании.\nСледуйте инструкциям, чтобы снова распознать устройство.\n\n%s",
      L"设备已在识别时激活。\n请按照说明重新识别设备。\n\n%s",
      L"Laite aktivoitiin tunnistuksen yhteydessä.\nTunnista laite uudelleen ohjeiden mukaan.\n\n%s"}},
    {Text::SupportMail,
     {L"Send email to Technical Support (%s) with diagnostic log which can be created by pressing the right mouse "
      L"button and selecting [%s] menu.\n",
      L"Envoyez un e-mail au support technique (%s) avec le journal de diagnostic, que vous créez d'un clic droit en "
      L"choisissant le menu [%s].\n",
      L"Senden Sie eine E-Mail an den technischen Support (%s) mit dem Diagnoseprotokoll, das Sie mit der rechten "
      L"Maustaste über das Menü [%s] erstellen.\n",
      L"Invia un'e-mail all'assistenza tecnica (%s) con il registro diagnostico, che puoi creare con il tasto destro "
      L"del mouse scegliendo il menu [%s].\n",
      L"テクニカルサポート(%s)に診断ログを添えてメールしてください。診断ログは右クリックして[%s]メニューを選ぶと作成できます。\n",
      L"기술 지원팀(%s)에 진단 로그를 첨부하여 이메일을 보내세요. 진단 로그는 마우스 오른쪽 버튼을 누르고 [%s] 메뉴를 "
      L"선택하면 만들 수 있습니다.\n",
      L"Envíe un correo al soporte técnico (%s) con el registro de diagnóstico, que puede crear con el botón derecho "
      L"del ratón eligiendo el menú [%s].\n",
      L"Stuur een e-mail naar de technische ondersteuning (%s) met het diagnoselogboek, dat u maakt door met de "
      L"rechtermuisknop het menu [%s] te kiezen.\n",
      L"Отправьте письмо в техническую поддержку (%s) с журналом диагностики, который создаётся правой кнопкой "
      L"мыши через меню [%s].\n",
      L"请将诊断日志通过电子邮件发送给技术支持 (%s)。诊断日志可通过单击鼠标右键并选择 [%s] 菜单创建。\n",
      L"Lähetä tekniseen tukeen (%s) sähköposti ja liitä mukaan diagnostiikkaloki, jonka voit luoda hiiren oikealla "
      L"painikkeella valikosta [%s].\n"}},
    // Russian and Chinese take the found/obtained word first.
    {Text::CountMessage,
     {L"USB interface(s) %s than expected is(are) %s.\n%s", L"Il y a %s d'interfaces USB que prévu (%s).\n%s",
      L"Es wurden %s USB-Schnittstellen als erwartet %s.\n%s", L"Interfacce USB %s numerose del previsto (%s).\n%s",
      L"USBインターフェースが想定より%s（%s）。\n%s", L"USB 인터페이스가 예상보다 %s (%s).\n%s",
      L"Interfaces USB: %s de las esperadas (%s).\n%s", L"Er zijn %s USB-interfaces dan verwacht %s.\n%s",
      L"%s USB-интерфейсов %s, чем ожидалось.\n%s", L"%s USB 接口%s预期。\n%s",
      L"USB-liitäntöjä %s kuin odotettiin (%s).\n%s"}},
    {Text::Obtained,
     {L"obtained", L"obtenues", L"erhalten", L"ottenute", L"取得", L"획득", L"obtenidas", L"verkregen", L"Получено",
      L"获取到的", L"saatu"}},
    {Text::Found,
     {L"found", L"trouvées", L"gefunden", L"trovate", L"検出", L"검색", L"encontradas", L"gevonden", L"Обнаружено",
      L"检测到的", L"löydetty"}},
    {Text::Problem,
     {L"There is problem in the USB interface.\n%s", L"Il y a un problème avec l'interface USB.\n%s",
      L"Es gibt ein Problem mit der USB-Schnittstelle.\n%s", L"C'è un problema nell'interfaccia USB.\n%s",
      L"USBインターフェースに問題があります。\n%s", L"USB 인터페이스에 문제가 있습니다.\n%s",
      L"Hay un problema en la interfaz USB.\n%s", L"Er is een probleem met de USB-interface.\n%s",
      L"Проблема с USB-интерфейсом.\n%s", L"USB 接口有问题。\n%s", L"USB-liitännässä on ongelma.\n%s"}},
    {Text::OtherDevice,
     {L"A device other than the %s is recognized. Select the appropriate device.\n",
      L"Un appareil autre que %s a été reconnu. Sélectionnez l'appareil approprié.\n",
      L"Ein anderes Gerät als %s wurde erkannt. Wählen Sie das passende Gerät.\n",
      L"È stato riconosciuto un dispositivo diverso da %s. Seleziona il dispositivo corretto.\n",
      L"%s以外のデバイスが認識されました。正しいデバイスを選択してください。\n",
      L"%s이(가) 아닌 장치가 인식되었습니다. 올바른 장치를 선택하세요.\n",
      L"Se ha reconocido un dispositivo distinto de %s. Seleccione el dispositivo adecuado.\n",
      L"Er is een ander apparaat dan de %s herkend. Selecteer het juiste apparaat.\n",
      L"Распознано устройство, отличное от %s. Выберите нужное устройство.\n",
      L"识别到的设备不是 %s。请选择正确的设备。\n", L"Tunnistettiin muu laite kuin %s. Valitse oikea laite.\n"}},
};

#undef TORVIK_CRLF

static_assert(std::size(kTexts) == static_cast<size_t>(Text::Count), "one row per text");

constexpr bool RowsInOrder()
{
    for (size_t i = 0; i < std::size(kTexts); ++i) {
        if (static_cast<size_t>(kTexts[i].id) != i) return false;
    }
    return true;
}
static_assert(RowsInOrder(), "rows in the order of their ids");

const wchar_t* Literal(Text id, LanguageIndex language)
{
    return kTexts[static_cast<size_t>(id)].text[static_cast<size_t>(TextColumn(language))];
}

const wchar_t* LessOrMore(RecognitionOutcome outcome, LanguageIndex language)
{
    const bool less =
        outcome == RecognitionOutcome::FewerInterfaces || outcome == RecognitionOutcome::FewerLibraryDevices;
    return Literal(less ? Text::Less : Text::More, language);
}

}  // namespace

CString GetActivatedTitleText(LanguageIndex language) { return CString(Literal(Text::ActivatedTitle, language)); }

CString GetUsbInterfaceCountTitleText(RecognitionOutcome outcome, LanguageIndex language)
{
    return FillFields(Literal(Text::CountTitle, language), {LessOrMore(outcome, language)});
}

CString GetOddUsbInterfaceTitleText(LanguageIndex language) { return CString(Literal(Text::OddTitle, language)); }

CString PressButtonStepText(int step, LanguageIndex language)
{
    return FillFields(Literal(Text::PressStep, language), {std::to_wstring(step), TextNext(language).str()});
}

CString UsbConnectStepsText(int pageMode, LanguageIndex language)
{
    CString text(Literal(pageMode == 1 ? Text::UnplugStep : Text::DisconnectStep, language));
    text += FillFields(Literal(Text::PowerOffStep, language), {kBrand});
    text += FillFields(Literal(Text::PowerOnStep, language), {kBrand});
    text += PressButtonStepText(4, language);
    return text;
}

CString OemProductStepsText(LanguageIndex language)
{
    CString text(Literal(Text::OemConnectStep, language));
    text += Literal(Text::OemKeyStep, language);
    text += PressButtonStepText(3, language);
    return text;
}

CString MakerProductStepsText(LanguageIndex language)
{
    return FillFields(Literal(Text::MakerSteps, language), {kLumenBarFirmwarePage}) + PressButtonStepText(3, language);
}

CString OemProductListText(LanguageIndex language) { return CString(Literal(Text::OemList, language)); }

CString ActivatedMessageText(LanguageIndex language) { return CString(Literal(Text::ActivatedMessage, language)); }

CString SupportMailText(LanguageIndex language)
{
    return FillFields(Literal(Text::SupportMail, language), {kSupportEmailAddress, TextDiagnosticLog(language).str()});
}

CString UsbInterfaceCountText(int obtained, RecognitionOutcome outcome, LanguageIndex language)
{
    const wchar_t* amount = LessOrMore(outcome, language);
    const wchar_t* how = Literal(obtained ? Text::Obtained : Text::Found, language);
    const int column = TextColumn(language);
    const bool howFirst = column == LanguageRussian || column == LanguageChinese;
    const CString support = SupportMailText(language);
    return FillFields(Literal(Text::CountMessage, language),
                      {howFirst ? how : amount, howFirst ? amount : how, support.str()});
}

CString UsbInterfaceProblemText(LanguageIndex language)
{
    return FillFields(Literal(Text::Problem, language), {SupportMailText(language).str()});
}

CString OtherDeviceText(LanguageIndex language) { return CString(Literal(Text::OtherDevice, language)); }
