// The label tables in the eleven user-interface languages; see LabelTables.h.
// Constant data: nothing here runs at start-up and nothing is ever written.
#include "settingslist/LabelTables.h"

namespace {

// Reads one entry of a table for the list of all tables.
template <const LabelTable& Table>
const wchar_t* PlainEntry(int language, int item)
{
    return item == 0 ? GetLabelText(Table, language) : L"";
}

template <std::size_t Items, const LabelItemTable<Items>& Table>
const wchar_t* ItemEntry(int language, int item)
{
    return GetLabelText(Table, language, item);
}

} // namespace

constexpr LabelItemTable<3> LowMediumHighLabels = {{
    {{ L"Low", L"Medium", L"High" }}, // English
    {{ L"Faible", L"Moyen", L"Élevé" }}, // French
    {{ L"Niedrig", L"Mittel", L"Hoch" }}, // German
    {{ L"Basso", L"Medio", L"Alto" }}, // Italian
    {{ L"低", L"中", L"高" }}, // Japanese
    {{ L"낮음", L"보통", L"높음" }}, // Korean
    {{ L"Baja", L"Media", L"Alta" }}, // Spanish
    {{ L"Laag", L"Gemiddeld", L"Hoog" }}, // Dutch
    {{ L"Низкий", L"Средний", L"Высокий" }}, // Russian
    {{ L"低", L"中", L"高" }}, // Chinese
    {{ L"Matala", L"Keskisuuri", L"Korkea" }}, // Finnish
}};

constexpr LabelItemTable<6> FmRegionLabels = {{
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // English
    {{ L"Monde", L"Amériques", L"Asie", L"Australie", L"Europe", L"Japon" }}, // French
    {{ L"Weltweit", L"Amerika", L"Asien", L"Australien", L"Europa", L"Japan" }}, // German
    {{ L"Mondiale", L"Americhe", L"Asia", L"Australia", L"Europa", L"Giappone" }}, // Italian
    {{ L"全世界", L"南北アメリカ", L"アジア", L"オーストラリア", L"ヨーロッパ", L"日本" }}, // Japanese
    {{ L"전 세계", L"아메리카", L"아시아", L"호주", L"유럽", L"일본" }}, // Korean
    {{ L"Mundial", L"América", L"Asia", L"Australia", L"Europa", L"Japón" }}, // Spanish
    {{ L"Wereldwijd", L"Amerika", L"Azië", L"Australië", L"Europa", L"Japan" }}, // Dutch
    {{ L"Весь мир", L"Америка", L"Азия", L"Австралия", L"Европа", L"Япония" }}, // Russian
    {{ L"全球", L"美洲", L"亚洲", L"澳大利亚", L"欧洲", L"日本" }}, // Chinese
    {{ L"Maailmanlaajuinen", L"Amerikka", L"Aasia", L"Australia", L"Eurooppa", L"Japani" }}, // Finnish
}};

constexpr LabelTable DateLabels = {
    L"Date",        // English
    L"Date",        // French
    L"Datum",       // German
    L"Data",        // Italian
    L"日付",        // Japanese
    L"날짜",        // Korean
    L"Fecha",       // Spanish
    L"Datum",       // Dutch
    L"Дата",        // Russian
    L"日期",        // Chinese
    L"Päivämäärä",  // Finnish
};

constexpr LabelTable VoxIntercomLabels = {
    L"VOX Intercom",          // English
    L"Intercom VOX",          // French
    L"VOX-Intercom",          // German
    L"Interfono VOX",         // Italian
    L"VOXインターコム",       // Japanese
    L"VOX 인터콤",            // Korean
    L"Intercomunicador VOX",  // Spanish
    L"VOX-intercom",          // Dutch
    L"Интерком VOX",          // Russian
    L"VOX 对讲",              // Chinese
    L"VOX-sisäpuhelin",       // Finnish
};

constexpr LabelTable VoxPhoneLabels = {
    L"VOX Phone",      // English
    L"Téléphone VOX",  // French
    L"VOX-Telefon",    // German
    L"Telefono VOX",   // Italian
    L"VOX電話",        // Japanese
    L"VOX 전화",       // Korean
    L"Teléfono VOX",   // Spanish
    L"VOX-telefoon",   // Dutch
    L"Телефон VOX",    // Russian
    L"VOX 电话",       // Chinese
    L"VOX-puhelin",    // Finnish
};

constexpr LabelTable EdrLabels = {
    L"EDR (Enhanced Data Rate)",            // English
    L"EDR (débit de données amélioré)",     // French
    L"EDR (schnellere Datenübertragung)",   // German
    L"EDR (velocità dati avanzata)",        // Italian
    L"EDR (拡張データレート)",              // Japanese
    L"EDR (향상된 데이터 전송률)",          // Korean
    L"EDR (velocidad de datos mejorada)",   // Spanish
    L"EDR (verhoogde gegevenssnelheid)",    // Dutch
    L"EDR (повышенная скорость передачи)",  // Russian
    L"EDR (增强数据速率)",                  // Chinese
    L"EDR (nopeampi tiedonsiirto)",         // Finnish
};

constexpr LabelTable EdrShortLabels = {
    L"EDR",  // English
    L"EDR",  // French
    L"EDR",  // German
    L"EDR",  // Italian
    L"EDR",  // Japanese
    L"EDR",  // Korean
    L"EDR",  // Spanish
    L"EDR",  // Dutch
    L"EDR",  // Russian
    L"EDR",  // Chinese
    L"EDR",  // Finnish
};

constexpr LabelTable VoicePromptLabels = {
    L"Voice Prompt",         // English
    L"Messages vocaux",      // French
    L"Sprachansage",         // German
    L"Messaggi vocali",      // Italian
    L"音声ガイド",           // Japanese
    L"음성 안내",            // Korean
    L"Indicaciones de voz",  // Spanish
    L"Gesproken melding",    // Dutch
    L"Голосовые подсказки",  // Russian
    L"语音提示",             // Chinese
    L"Ääniopastus",          // Finnish
};

constexpr LabelTable PlcLabels = {
    L"PLC (Packet Loss Concealment)",            // English
    L"PLC (masquage des pertes de paquets)",     // French
    L"PLC (Paketverlustverschleierung)",         // German
    L"PLC (occultamento perdita pacchetti)",     // Italian
    L"PLC (パケットロス補償)",                   // Japanese
    L"PLC (패킷 손실 은폐)",                     // Korean
    L"PLC (ocultación de pérdida de paquetes)",  // Spanish
    L"PLC (maskering van pakketverlies)",        // Dutch
    L"PLC (маскировка потери пакетов)",          // Russian
    L"PLC (丢包隐藏)",                           // Chinese
    L"PLC (pakettihäviön peittäminen)",          // Finnish
};

constexpr LabelTable HighQualityA2dpLabels = {
    L"High Quality A2DP",       // English
    L"A2DP haute qualité",      // French
    L"Hochwertiges A2DP",       // German
    L"A2DP alta qualità",       // Italian
    L"高音質A2DP",              // Japanese
    L"고음질 A2DP",             // Korean
    L"A2DP de alta calidad",    // Spanish
    L"Hoogwaardige A2DP",       // Dutch
    L"A2DP высокого качества",  // Russian
    L"高品质 A2DP",             // Chinese
    L"Korkealaatuinen A2DP",    // Finnish
};

constexpr LabelTable MicrophoneBoostingLabels = {
    L"Microphone Boosting",          // English
    L"Amplification du micro",       // French
    L"Mikrofonverstärkung",          // German
    L"Potenziamento microfono",      // Italian
    L"マイクブースト",               // Japanese
    L"마이크 증폭",                  // Korean
    L"Amplificación del micrófono",  // Spanish
    L"Microfoonboost",               // Dutch
    L"Усиление микрофона",           // Russian
    L"麦克风增强",                   // Chinese
    L"Mikrofonin tehostus",          // Finnish
};

constexpr LabelTable SidetoneLabels = {
    L"Sidetone",            // English
    L"Retour de voix",      // French
    L"Mithörton",           // German
    L"Ritorno della voce",  // Italian
    L"サイドトーン",        // Japanese
    L"사이드톤",            // Korean
    L"Tono lateral",        // Spanish
    L"Meeluistertoon",      // Dutch
    L"Самопрослушивание",   // Russian
    L"侧音",                // Chinese
    L"Sivuääni",            // Finnish
};

// Feature names with the trade-mark sign are not translated.
constexpr LabelTable CalmweaveLabels = {
    L"Calmweave™",  // English
    L"Calmweave™",  // French
    L"Calmweave™",  // German
    L"Calmweave™",  // Italian
    L"Calmweave™",  // Japanese
    L"Calmweave™",  // Korean
    L"Calmweave™",  // Spanish
    L"Calmweave™",  // Dutch
    L"Calmweave™",  // Russian
    L"Calmweave™",  // Chinese
    L"Calmweave™",  // Finnish
};

constexpr LabelTable AutoGainControlLabels = {
    L"Auto Gain Control",                    // English
    L"Contrôle automatique du gain",         // French
    L"Automatische Verstärkungsregelung",    // German
    L"Controllo automatico del guadagno",    // Italian
    L"自動ゲイン制御",                       // Japanese
    L"자동 게인 제어",                       // Korean
    L"Control automático de ganancia",       // Spanish
    L"Automatische versterkingsregeling",    // Dutch
    L"Автоматическая регулировка усиления",  // Russian
    L"自动增益控制",                         // Chinese
    L"Automaattinen vahvistuksen säätö",     // Finnish
};

constexpr LabelTable RadioTransmitGainLabels = {
    L"Radio Transmit Gain",               // English
    L"Gain d'émission radio",             // French
    L"Funk-Sendeverstärkung",             // German
    L"Guadagno trasmissione radio",       // Italian
    L"無線送信ゲイン",                    // Japanese
    L"무선 송신 게인",                    // Korean
    L"Ganancia de transmisión de radio",  // Spanish
    L"Zendversterking radio",             // Dutch
    L"Усиление радиопередатчика",         // Russian
    L"无线发射增益",                      // Chinese
    L"Radiolähetyksen vahvistus",         // Finnish
};

constexpr LabelTable AudioChannelTimeoutLabels = {
    L"Audio Channel Timeout",                // English
    L"Délai d'expiration du canal audio",    // French
    L"Zeitlimit Audiokanal",                 // German
    L"Timeout canale audio",                 // Italian
    L"オーディオチャンネルのタイムアウト",   // Japanese
    L"오디오 채널 시간 초과",                // Korean
    L"Tiempo de espera del canal de audio",  // Spanish
    L"Time-out audiokanaal",                 // Dutch
    L"Тайм-аут аудиоканала",                 // Russian
    L"音频通道超时",                         // Chinese
    L"Äänikanavan aikakatkaisu",             // Finnish
};

constexpr LabelTable AudioBoostLabels = {
    L"Audio Boost",          // English
    L"Amplification audio",  // French
    L"Audioverstärkung",     // German
    L"Potenziamento audio",  // Italian
    L"オーディオブースト",   // Japanese
    L"오디오 부스트",        // Korean
    L"Refuerzo de audio",    // Spanish
    L"Geluidsversterking",   // Dutch
    L"Усиление звука",       // Russian
    L"音频增强",             // Chinese
    L"Äänen tehostus",       // Finnish
};

constexpr LabelTable RadioRegionLabels = {
    L"Radio Region",     // English
    L"Région radio",     // French
    L"Radioregion",      // German
    L"Regione radio",    // Italian
    L"ラジオの地域",     // Japanese
    L"라디오 지역",      // Korean
    L"Región de radio",  // Spanish
    L"Radioregio",       // Dutch
    L"Регион радио",     // Russian
    L"收音机区域",       // Chinese
    L"Radioalue",        // Finnish
};

constexpr LabelTable RegionLabels = {
    L"Region",   // English
    L"Région",   // French
    L"Region",   // German
    L"Regione",  // Italian
    L"地域",     // Japanese
    L"지역",     // Korean
    L"Región",   // Spanish
    L"Regio",    // Dutch
    L"Регион",   // Russian
    L"区域",     // Chinese
    L"Alue",     // Finnish
};

constexpr LabelTable FmRadioPresetsLabels = {
    L"FM Radio Presets",           // English
    L"Présélections radio FM",     // French
    L"FM-Senderspeicher",          // German
    L"Preselezioni radio FM",      // Italian
    L"FMラジオのプリセット",       // Japanese
    L"FM 라디오 프리셋",           // Korean
    L"Presintonías de radio FM",   // Spanish
    L"Voorkeuzezenders FM-radio",  // Dutch
    L"Предустановки FM-радио",     // Russian
    L"FM 收音机预设",              // Chinese
    L"FM-radion esiasetukset",     // Finnish
};

constexpr LabelTable FmRadioLabels = {
    L"FM Radio",   // English
    L"Radio FM",   // French
    L"FM-Radio",   // German
    L"Radio FM",   // Italian
    L"FMラジオ",   // Japanese
    L"FM 라디오",  // Korean
    L"Radio FM",   // Spanish
    L"FM-radio",   // Dutch
    L"FM-радио",   // Russian
    L"FM 收音机",  // Chinese
    L"FM-radio",   // Finnish
};

constexpr LabelTable PresetsLabels = {
    L"Presets",         // English
    L"Présélections",   // French
    L"Senderspeicher",  // German
    L"Preselezioni",    // Italian
    L"プリセット",      // Japanese
    L"프리셋",          // Korean
    L"Presintonías",    // Spanish
    L"Voorkeuzes",      // Dutch
    L"Предустановки",   // Russian
    L"预设",            // Chinese
    L"Esiasetukset",    // Finnish
};

constexpr LabelTable BasicLabels = {
    L"Basic",     // English
    L"Base",      // French
    L"Basis",     // German
    L"Base",      // Italian
    L"基本",      // Japanese
    L"기본",      // Korean
    L"Básico",    // Spanish
    L"Basis",     // Dutch
    L"Основные",  // Russian
    L"基本",      // Chinese
    L"Perus",     // Finnish
};

constexpr LabelTable SpeedDialLabels = {
    L"Speed Dial",           // English
    L"Appel rapide",         // French
    L"Kurzwahl",             // German
    L"Chiamata rapida",      // Italian
    L"スピードダイヤル",     // Japanese
    L"단축 다이얼",          // Korean
    L"Marcación rápida",     // Spanish
    L"Snelkeuze",            // Dutch
    L"Быстрый набор",        // Russian
    L"快速拨号",             // Chinese
    L"Pikavalinta",          // Finnish
};

constexpr LabelTable MoreLabels = {
    L"More...",     // English
    L"Plus...",     // French
    L"Mehr...",     // German
    L"Altro...",    // Italian
    L"その他...",   // Japanese
    L"더 보기...",  // Korean
    L"Más...",      // Spanish
    L"Meer...",     // Dutch
    L"Ещё...",      // Russian
    L"更多...",     // Chinese
    L"Lisää...",    // Finnish
};

constexpr LabelTable EmptyLabels = {
    L"Empty",      // English
    L"Vide",       // French
    L"Leer",       // German
    L"Vuoto",      // Italian
    L"未設定",     // Japanese
    L"비어 있음",  // Korean
    L"Vacío",      // Spanish
    L"Leeg",       // Dutch
    L"Пусто",      // Russian
    L"空",         // Chinese
    L"Tyhjä",      // Finnish
};

constexpr LabelTable RdsAfLabels = {
    L"RDS AF (Alternative Frequencies)",   // English
    L"RDS AF (fréquences alternatives)",   // French
    L"RDS AF (Alternativfrequenzen)",      // German
    L"RDS AF (frequenze alternative)",     // Italian
    L"RDS AF (代替周波数)",                // Japanese
    L"RDS AF (대체 주파수)",               // Korean
    L"RDS AF (frecuencias alternativas)",  // Spanish
    L"RDS AF (alternatieve frequenties)",  // Dutch
    L"RDS AF (альтернативные частоты)",    // Russian
    L"RDS AF (备选频率)",                  // Chinese
    L"RDS AF (vaihtoehtoiset taajuudet)",  // Finnish
};

// Several translations are cut short to fit the settings column and end in "...".
constexpr LabelTable MotionSensorSensitivityLabels = {
    L"Motion Sensor Sensitivity",       // English
    L"Sensibilité capteur de mouv...",  // French
    L"Bewegungssensor-Empfindl...",     // German
    L"Sensibilità sensore di mov...",   // Italian
    L"モーションセンサー感度",          // Japanese
    L"모션 센서 감도",                  // Korean
    L"Sensibilidad sensor de mov...",   // Spanish
    L"Gevoeligheid bewegingss...",      // Dutch
    L"Чувствительность датчика д...",   // Russian
    L"运动传感器灵敏度",                // Chinese
    L"Liiketunnistimen herkkyys",       // Finnish
};

constexpr LabelTable BlendcastLabels = {
    L"Blendcast™",  // English
    L"Blendcast™",  // French
    L"Blendcast™",  // German
    L"Blendcast™",  // Italian
    L"Blendcast™",  // Japanese
    L"Blendcast™",  // Korean
    L"Blendcast™",  // Spanish
    L"Blendcast™",  // Dutch
    L"Blendcast™",  // Russian
    L"Blendcast™",  // Chinese
    L"Blendcast™",  // Finnish
};

constexpr LabelTable IntercomOverlaySensitivityLabels = {
    L"Intercom-Layerly Sensitivity",           // English
    L"Sensibilité Intercom-Layerly",           // French
    L"Intercom-Layerly-Empfindlichkeit",       // German
    L"Sensibilità Interfono-Layerly",          // Italian
    L"インターコム-Layerly感度",               // Japanese
    L"인터콤-Layerly 감도",                    // Korean
    L"Sensibilidad Intercomunicador-Layerly",  // Spanish
    L"Gevoeligheid intercom-Layerly",          // Dutch
    L"Чувствительность интерком-Layerly",      // Russian
    L"对讲-Layerly 灵敏度",                    // Chinese
    L"Sisäpuhelin-Layerly-herkkyys",           // Finnish
};

constexpr LabelTable NavigationAppSupportLabels = {
    L"Navigation App Support",            // English
    L"Prise en charge appli navigation",  // French
    L"Navigations-App-Unterstützung",     // German
    L"Supporto app di navigazione",       // Italian
    L"ナビアプリのサポート",              // Japanese
    L"내비게이션 앱 지원",                // Korean
    L"Soporte de app de navegación",      // Spanish
    L"Ondersteuning navigatie-app",       // Dutch
    L"Поддержка приложений навигации",    // Russian
    L"导航应用支持",                      // Chinese
    L"Navigointisovellusten tuki",        // Finnish
};

constexpr LabelTable VoxSensitivityLabels = {
    L"VOX Sensitivity",       // English
    L"Sensibilité VOX",       // French
    L"VOX-Empfindlichkeit",   // German
    L"Sensibilità VOX",       // Italian
    L"VOX感度",               // Japanese
    L"VOX 감도",              // Korean
    L"Sensibilidad VOX",      // Spanish
    L"VOX-gevoeligheid",      // Dutch
    L"Чувствительность VOX",  // Russian
    L"VOX 灵敏度",            // Chinese
    L"VOX-herkkyys",          // Finnish
};

constexpr LabelTable HdIntercomLabels = {
    L"HD Intercom",          // English
    L"Intercom HD",          // French
    L"HD-Intercom",          // German
    L"Interfono HD",         // Italian
    L"HDインターコム",       // Japanese
    L"HD 인터콤",            // Korean
    L"Intercomunicador HD",  // Spanish
    L"HD-intercom",          // Dutch
    L"Интерком HD",          // Russian
    L"高清对讲",             // Chinese
    L"HD-sisäpuhelin",       // Finnish
};

constexpr LabelTable EightWayIntercomLabels = {
    L"Eight-way Intercom",             // English
    L"Intercom à huit voies",          // French
    L"8-Wege-Intercom",                // German
    L"Interfono a otto vie",           // Italian
    L"8ウェイインターコム",            // Japanese
    L"8인 인터콤",                     // Korean
    L"Intercomunicador de ocho vías",  // Spanish
    L"8-weg-intercom",                 // Dutch
    L"Восьмисторонний интерком",       // Russian
    L"八方对讲",                       // Chinese
    L"8 hengen sisäpuhelin",           // Finnish
};

constexpr LabelTable PhotoModeLabels = {
    L"Photo Mode",     // English
    L"Mode photo",     // French
    L"Fotomodus",      // German
    L"Modalità foto",  // Italian
    L"写真モード",     // Japanese
    L"사진 모드",      // Korean
    L"Modo foto",      // Spanish
    L"Fotomodus",      // Dutch
    L"Режим фото",     // Russian
    L"拍照模式",       // Chinese
    L"Valokuvatila",   // Finnish
};

constexpr LabelTable SingleShotLabels = {
    L"Single Shot",       // English
    L"Photo unique",      // French
    L"Einzelaufnahme",    // German
    L"Scatto singolo",    // Italian
    L"シングルショット",  // Japanese
    L"단일 촬영",         // Korean
    L"Disparo único",     // Spanish
    L"Enkele opname",     // Dutch
    L"Одиночный снимок",  // Russian
    L"单张拍摄",          // Chinese
    L"Yksittäiskuva",     // Finnish
};

constexpr LabelTable BurstShotLabels = {
    L"Burst Shot",        // English
    L"Rafale",            // French
    L"Serienaufnahme",    // German
    L"Scatto a raffica",  // Italian
    L"連写",              // Japanese
    L"연속 촬영",         // Korean
    L"Ráfaga",            // Spanish
    L"Serieopname",       // Dutch
    L"Серийная съёмка",   // Russian
    L"连拍",              // Chinese
    L"Sarjakuvaus",       // Finnish
};

constexpr LabelTable VideoModeLabels = {
    L"Video Mode",      // English
    L"Mode vidéo",      // French
    L"Videomodus",      // German
    L"Modalità video",  // Italian
    L"ビデオモード",    // Japanese
    L"비디오 모드",     // Korean
    L"Modo vídeo",      // Spanish
    L"Videomodus",      // Dutch
    L"Режим видео",     // Russian
    L"视频模式",        // Chinese
    L"Videotila",       // Finnish
};

constexpr LabelTable TimelapseModeLabels = {
    L"Timelapse Mode",      // English
    L"Mode time-lapse",     // French
    L"Zeitraffermodus",     // German
    L"Modalità timelapse",  // Italian
    L"タイムラプスモード",  // Japanese
    L"타임랩스 모드",       // Korean
    L"Modo time-lapse",     // Spanish
    L"Timelapsemodus",      // Dutch
    L"Режим таймлапс",      // Russian
    L"延时摄影模式",        // Chinese
    L"Aikaviivetila",       // Finnish
};

constexpr LabelTable LoopRecordingModeLabels = {
    L"Loop Recording Mode",             // English
    L"Mode en boucle",                  // French
    L"Endlosaufnahme",                  // German
    L"Modalità loop",                   // Italian
    L"ループ録画モード",                // Japanese
    L"루프 녹화 모드",                  // Korean
    L"Grabación en bucle",              // Spanish
    L"Lusopnamemodus",                  // Dutch
    L"Циклическая запись",              // Russian
    L"循环录像模式",                    // Chinese
    L"Silmukkatallennustila",           // Finnish
};

constexpr LabelTable VideoResolutionLabels = {
    L"Video Resolution",     // English
    L"Résolution vidéo",     // French
    L"Videoauflösung",       // German
    L"Risoluzione video",    // Italian
    L"ビデオ解像度",         // Japanese
    L"비디오 해상도",        // Korean
    L"Resolución de vídeo",  // Spanish
    L"Videoresolutie",       // Dutch
    L"Разрешение видео",     // Russian
    L"视频分辨率",           // Chinese
    L"Videon tarkkuus",      // Finnish
};

constexpr LabelTable Resolution1080p30Labels = {
    L"1080p/30fps",       // English
    L"1080p/30 i/s",      // French
    L"1080p/30 fps",      // German
    L"1080p/30 fps",      // Italian
    L"1080p/30fps",       // Japanese
    L"1080p/30fps",       // Korean
    L"1080p/30 fps",      // Spanish
    L"1080p/30 fps",      // Dutch
    L"1080p/30 кадр/с",   // Russian
    L"1080p/30帧",        // Chinese
    L"1080p/30 kuvaa/s",  // Finnish
};

constexpr LabelTable Resolution720p60Labels = {
    L"720p/60fps",       // English
    L"720p/60 i/s",      // French
    L"720p/60 fps",      // German
    L"720p/60 fps",      // Italian
    L"720p/60fps",       // Japanese
    L"720p/60fps",       // Korean
    L"720p/60 fps",      // Spanish
    L"720p/60 fps",      // Dutch
    L"720p/60 кадр/с",   // Russian
    L"720p/60帧",        // Chinese
    L"720p/60 kuvaa/s",  // Finnish
};

constexpr LabelTable Resolution720p30Labels = {
    L"720p/30fps",       // English
    L"720p/30 i/s",      // French
    L"720p/30 fps",      // German
    L"720p/30 fps",      // Italian
    L"720p/30fps",       // Japanese
    L"720p/30fps",       // Korean
    L"720p/30 fps",      // Spanish
    L"720p/30 fps",      // Dutch
    L"720p/30 кадр/с",   // Russian
    L"720p/30帧",        // Chinese
    L"720p/30 kuvaa/s",  // Finnish
};

constexpr LabelTable TimelapseIntervalLabels = {
    L"Timelapse Interval",       // English
    L"Intervalle time-lapse",    // French
    L"Zeitrafferintervall",      // German
    L"Intervallo timelapse",     // Italian
    L"タイムラプス間隔",         // Japanese
    L"타임랩스 간격",            // Korean
    L"Intervalo de time-lapse",  // Spanish
    L"Timelapse-interval",       // Dutch
    L"Интервал таймлапса",       // Russian
    L"延时摄影间隔",             // Chinese
    L"Aikaviiveväli",            // Finnish
};

constexpr LabelTable VideoTaggingIntervalLabels = {
    L"Video Tagging Interval",            // English
    L"Intervalle de marquage vidéo",      // French
    L"Video-Markierungsintervall",        // German
    L"Intervallo tag video",              // Italian
    L"ビデオタグ付け間隔",                // Japanese
    L"비디오 태그 간격",                  // Korean
    L"Intervalo de etiquetado de vídeo",  // Spanish
    L"Interval videomarkering",           // Dutch
    L"Интервал меток видео",              // Russian
    L"视频标记间隔",                      // Chinese
    L"Videon merkintäväli",               // Finnish
};

constexpr LabelTable LoopRecordingIntervalLabels = {
    L"Loop Recording Interval",              // English
    L"Intervalle enregistrement en boucle",  // French
    L"Endlosaufnahme-Intervall",             // German
    L"Intervallo registrazione in loop",     // Italian
    L"ループ録画間隔",                       // Japanese
    L"루프 녹화 간격",                       // Korean
    L"Intervalo de grabación en bucle",      // Spanish
    L"Lusopname-interval",                   // Dutch
    L"Интервал циклической записи",          // Russian
    L"循环录像间隔",                         // Chinese
    L"Silmukkatallennuksen väli",            // Finnish
};

constexpr LabelTable VideoMicrophoneGainLabels = {
    L"Video Microphone Gain",            // English
    L"Gain du micro vidéo",              // French
    L"Video-Mikrofonpegel",              // German
    L"Guadagno microfono video",         // Italian
    L"ビデオのマイクゲイン",             // Japanese
    L"비디오 마이크 게인",               // Korean
    L"Ganancia del micrófono de vídeo",  // Spanish
    L"Microfoonversterking video",       // Dutch
    L"Уровень микрофона видео",          // Russian
    L"视频麦克风增益",                   // Chinese
    L"Videon mikrofonin vahvistus",      // Finnish
};

constexpr LabelTable Interval1MinLabels = {
    L"1 min",   // English
    L"1 min",   // French
    L"1 Min.",  // German
    L"1 min",   // Italian
    L"1分",     // Japanese
    L"1분",     // Korean
    L"1 min",   // Spanish
    L"1 min",   // Dutch
    L"1 мин",   // Russian
    L"1分钟",   // Chinese
    L"1 min",   // Finnish
};

constexpr LabelTable Interval3MinLabels = {
    L"3 mins",  // English
    L"3 min",   // French
    L"3 Min.",  // German
    L"3 min",   // Italian
    L"3分",     // Japanese
    L"3분",     // Korean
    L"3 min",   // Spanish
    L"3 min",   // Dutch
    L"3 мин",   // Russian
    L"3分钟",   // Chinese
    L"3 min",   // Finnish
};

constexpr LabelTable Interval5MinLabels = {
    L"5 mins",  // English
    L"5 min",   // French
    L"5 Min.",  // German
    L"5 min",   // Italian
    L"5分",     // Japanese
    L"5분",     // Korean
    L"5 min",   // Spanish
    L"5 min",   // Dutch
    L"5 мин",   // Russian
    L"5分钟",   // Chinese
    L"5 min",   // Finnish
};

constexpr LabelTable Interval1SecLabels = {
    L"1 sec",   // English
    L"1 s",     // French
    L"1 Sek.",  // German
    L"1 sec",   // Italian
    L"1秒",     // Japanese
    L"1초",     // Korean
    L"1 s",     // Spanish
    L"1 sec",   // Dutch
    L"1 сек",   // Russian
    L"1秒",     // Chinese
    L"1 s",     // Finnish
};

constexpr LabelTable Interval10SecLabels = {
    L"10 secs",  // English
    L"10 s",     // French
    L"10 Sek.",  // German
    L"10 sec",   // Italian
    L"10秒",     // Japanese
    L"10초",     // Korean
    L"10 s",     // Spanish
    L"10 sec",   // Dutch
    L"10 сек",   // Russian
    L"10秒",     // Chinese
    L"10 s",     // Finnish
};

constexpr LabelTable DateCaptionLabels = {
    L"Date Caption",             // English
    L"Incrustation de la date",  // French
    L"Datumseinblendung",        // German
    L"Sovrimpressione data",     // Italian
    L"日付表示",                 // Japanese
    L"날짜 표시",                // Korean
    L"Marca de fecha",           // Spanish
    L"Datumweergave",            // Dutch
    L"Отметка даты",             // Russian
    L"日期水印",                 // Chinese
    L"Päivämääräleima",          // Finnish
};

constexpr LabelTable SpeakerSoundRecordingLabels = {
    L"Speaker Sound Recording",                // English
    L"Enregistrement du son du haut-parleur",  // French
    L"Lautsprecherton aufnehmen",              // German
    L"Registrazione audio altoparlante",       // Italian
    L"スピーカー音声の録音",                   // Japanese
    L"스피커 소리 녹음",                       // Korean
    L"Grabación del sonido del altavoz",       // Spanish
    L"Luidsprekergeluid opnemen",              // Dutch
    L"Запись звука динамика",                  // Russian
    L"扬声器声音录制",                         // Chinese
    L"Kaiuttimen äänen tallennus",             // Finnish
};

// Audio sources of the camera's recording: the mark and a blank, then the source.
constexpr LabelTable SourceMusicLabels = {
    L"▶ Music",     // English
    L"▶ Musique",   // French
    L"▶ Musik",     // German
    L"▶ Musica",    // Italian
    L"▶ 音楽",      // Japanese
    L"▶ 음악",      // Korean
    L"▶ Música",    // Spanish
    L"▶ Muziek",    // Dutch
    L"▶ Музыка",    // Russian
    L"▶ 音乐",      // Chinese
    L"▶ Musiikki",  // Finnish
};

constexpr LabelTable SourceFmRadioLabels = {
    L"▶ FM Radio",   // English
    L"▶ Radio FM",   // French
    L"▶ FM-Radio",   // German
    L"▶ Radio FM",   // Italian
    L"▶ FMラジオ",   // Japanese
    L"▶ FM 라디오",  // Korean
    L"▶ Radio FM",   // Spanish
    L"▶ FM-radio",   // Dutch
    L"▶ FM-радио",   // Russian
    L"▶ FM 收音机",  // Chinese
    L"▶ FM-radio",   // Finnish
};

constexpr LabelTable SourceIntercomLabels = {
    L"▶ Intercom",          // English
    L"▶ Intercom",          // French
    L"▶ Intercom",          // German
    L"▶ Interfono",         // Italian
    L"▶ インターコム",      // Japanese
    L"▶ 인터콤",            // Korean
    L"▶ Intercomunicador",  // Spanish
    L"▶ Intercom",          // Dutch
    L"▶ Интерком",          // Russian
    L"▶ 对讲",              // Chinese
    L"▶ Sisäpuhelin",       // Finnish
};

constexpr LabelTable SourcePhoneLabels = {
    L"▶ Phone",      // English
    L"▶ Téléphone",  // French
    L"▶ Telefon",    // German
    L"▶ Telefono",   // Italian
    L"▶ 電話",       // Japanese
    L"▶ 전화",       // Korean
    L"▶ Teléfono",   // Spanish
    L"▶ Telefoon",   // Dutch
    L"▶ Телефон",    // Russian
    L"▶ 电话",       // Chinese
    L"▶ Puhelin",    // Finnish
};

constexpr LabelTable AutoCameraSleepLabels = {
    L"Auto Camera Sleep",                   // English
    L"Veille auto de la caméra",            // French
    L"Automatischer Kamera-Ruhemodus",      // German
    L"Sospensione automatica videocamera",  // Italian
    L"カメラの自動スリープ",                // Japanese
    L"카메라 자동 절전",                    // Korean
    L"Suspensión automática de la cámara",  // Spanish
    L"Automatische slaapstand camera",      // Dutch
    L"Автоматический спящий режим камеры",  // Russian
    L"相机自动休眠",                        // Chinese
    L"Kameran automaattinen lepotila",      // Finnish
};

constexpr LabelTable SmartVolumeControlLabels = {
    L"Smart Volume Control",               // English
    L"Contrôle intelligent du volume",     // French
    L"Intelligente Lautstärkeregelung",    // German
    L"Controllo intelligente del volume",  // Italian
    L"スマート音量調整",                   // Japanese
    L"스마트 볼륨 조절",                   // Korean
    L"Control inteligente del volumen",    // Spanish
    L"Slimme volumeregeling",              // Dutch
    L"Умная регулировка громкости",        // Russian
    L"智能音量控制",                       // Chinese
    L"Älykäs äänenvoimakkuuden säätö",     // Finnish
};

constexpr LabelTable FmStationGuideLabels = {
    L"FM Station Guide",       // English
    L"Guide des stations FM",  // French
    L"FM-Senderansage",        // German
    L"Guida stazioni FM",      // Italian
    L"FM局ガイド",             // Japanese
    L"FM 방송국 안내",         // Korean
    L"Guía de emisoras FM",    // Spanish
    L"FM-zendergids",          // Dutch
    L"Гид по FM-станциям",     // Russian
    L"FM 电台指南",            // Chinese
    L"FM-asemaopas",           // Finnish
};

constexpr LabelTable HdVoiceLabels = {
    L"HD Voice",    // English
    L"Voix HD",     // French
    L"HD-Sprache",  // German
    L"Voce HD",     // Italian
    L"HDボイス",    // Japanese
    L"HD 음성",     // Korean
    L"Voz HD",      // Spanish
    L"HD-spraak",   // Dutch
    L"HD-голос",    // Russian
    L"高清语音",    // Chinese
    L"HD-ääni",     // Finnish
};

constexpr LabelTable AudioSourcePriorityLabels = {
    L"Audio Source Priority",         // English
    L"Priorité des sources audio",    // French
    L"Priorität der Audioquellen",    // German
    L"Priorità sorgente audio",       // Italian
    L"オーディオソースの優先順位",    // Japanese
    L"오디오 소스 우선순위",          // Korean
    L"Prioridad de fuente de audio",  // Spanish
    L"Prioriteit audiobron",          // Dutch
    L"Приоритет источника звука",     // Russian
    L"音频源优先级",                  // Chinese
    L"Äänilähteen prioriteetti",      // Finnish
};

constexpr LabelTable LayerlyLabels = {
    L"Layerly™",  // English
    L"Layerly™",  // French
    L"Layerly™",  // German
    L"Layerly™",  // Italian
    L"Layerly™",  // Japanese
    L"Layerly™",  // Korean
    L"Layerly™",  // Spanish
    L"Layerly™",  // Dutch
    L"Layerly™",  // Russian
    L"Layerly™",  // Chinese
    L"Layerly™",  // Finnish
};

// A product name: the same in every language.
constexpr LabelTable SmartNaviSystemLabels = {
    L"Zizuz Adad Udovid",  // English
    L"Zizuz Adad Udovid",  // French
    L"Zizuz Adad Udovid",  // German
    L"Zizuz Adad Udovid",  // Italian
    L"Zizuz Adad Udovid",  // Japanese
    L"Zizuz Adad Udovid",  // Korean
    L"Zizuz Adad Udovid",  // Spanish
    L"Zizuz Adad Udovid",  // Dutch
    L"Zizuz Adad Udovid",  // Russian
    L"Zizuz Adad Udovid",  // Chinese
    L"Zizuz Adad Udovid",  // Finnish
};

constexpr LabelTable MusicLabels = {
    L"Music",     // English
    L"Musique",   // French
    L"Musik",     // German
    L"Musica",    // Italian
    L"音楽",      // Japanese
    L"음악",      // Korean
    L"Música",    // Spanish
    L"Muziek",    // Dutch
    L"Музыка",    // Russian
    L"音乐",      // Chinese
    L"Musiikki",  // Finnish
};

constexpr LabelTable IntercomLabels = {
    L"Intercom",          // English
    L"Intercom",          // French
    L"Intercom",          // German
    L"Interfono",         // Italian
    L"インターコム",      // Japanese
    L"인터콤",            // Korean
    L"Intercomunicador",  // Spanish
    L"Intercom",          // Dutch
    L"Интерком",          // Russian
    L"对讲",              // Chinese
    L"Sisäpuhelin",       // Finnish
};

constexpr LabelTable GuestModeLabels = {
    L"Guest Mode",       // English
    L"Mode invité",      // French
    L"Gastmodus",        // German
    L"Modalità ospite",  // Italian
    L"ゲストモード",     // Japanese
    L"게스트 모드",      // Korean
    L"Modo invitado",    // Spanish
    L"Gastmodus",        // Dutch
    L"Гостевой режим",   // Russian
    L"访客模式",         // Chinese
    L"Vierastila",       // Finnish
};

constexpr LabelTable VoiceCommandLabels = {
    L"Voice Command",      // English
    L"Commande vocale",    // French
    L"Sprachbefehl",       // German
    L"Comando vocale",     // Italian
    L"音声コマンド",       // Japanese
    L"음성 명령",          // Korean
    L"Comando de voz",     // Spanish
    L"Spraakopdracht",     // Dutch
    L"Голосовая команда",  // Russian
    L"语音命令",           // Chinese
    L"Äänikomento",        // Finnish
};

constexpr LabelTable LayerlyVolumeManagementLabels = {
    L"Layerly Volume Management",           // English
    L"Gestion du volume Layerly",           // French
    L"Layerly-Lautstärkeverwaltung",        // German
    L"Gestione volume Layerly",             // Italian
    L"Layerly音量管理",                     // Japanese
    L"Layerly 볼륨 관리",                   // Korean
    L"Gestión de volumen Layerly",          // Spanish
    L"Layerly-volumebeheer",                // Dutch
    L"Управление громкостью Layerly",       // Russian
    L"Layerly 音量管理",                    // Chinese
    L"Layerly-äänenvoimakkuuden hallinta",  // Finnish
};

constexpr LabelItemTable<10> LevelLabels = {{
    // English
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5",
       L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }},
    // French
    {{ L"Niveau 1", L"Niveau 2", L"Niveau 3", L"Niveau 4", L"Niveau 5",
       L"Niveau 6", L"Niveau 7", L"Niveau 8", L"Niveau 9", L"Niveau 10" }},
    // German
    {{ L"Stufe 1", L"Stufe 2", L"Stufe 3", L"Stufe 4", L"Stufe 5",
       L"Stufe 6", L"Stufe 7", L"Stufe 8", L"Stufe 9", L"Stufe 10" }},
    // Italian
    {{ L"Livello 1", L"Livello 2", L"Livello 3", L"Livello 4", L"Livello 5",
       L"Livello 6", L"Livello 7", L"Livello 8", L"Livello 9", L"Livello 10" }},
    // Japanese
    {{ L"レベル1", L"レベル2", L"レベル3", L"レベル4", L"レベル5",
       L"レベル6", L"レベル7", L"レベル8", L"レベル9", L"レベル10" }},
    // Korean
    {{ L"레벨 1", L"레벨 2", L"레벨 3", L"레벨 4", L"레벨 5",
       L"레벨 6", L"레벨 7", L"레벨 8", L"레벨 9", L"레벨 10" }},
    // Spanish
    {{ L"Nivel 1", L"Nivel 2", L"Nivel 3", L"Nivel 4", L"Nivel 5",
       L"Nivel 6", L"Nivel 7", L"Nivel 8", L"Nivel 9", L"Nivel 10" }},
    // Dutch
    {{ L"Niveau 1", L"Niveau 2", L"Niveau 3", L"Niveau 4", L"Niveau 5",
       L"Niveau 6", L"Niveau 7", L"Niveau 8", L"Niveau 9", L"Niveau 10" }},
    // Russian
    {{ L"Уровень 1", L"Уровень 2", L"Уровень 3", L"Уровень 4", L"Уровень 5",
       L"Уровень 6", L"Уровень 7", L"Уровень 8", L"Уровень 9", L"Уровень 10" }},
    // Chinese
    {{ L"级别 1", L"级别 2", L"级别 3", L"级别 4", L"级别 5",
       L"级别 6", L"级别 7", L"级别 8", L"级别 9", L"级别 10" }},
    // Finnish
    {{ L"Taso 1", L"Taso 2", L"Taso 3", L"Taso 4", L"Taso 5",
       L"Taso 6", L"Taso 7", L"Taso 8", L"Taso 9", L"Taso 10" }},
}};

// ESS and its states; the light tables below name a light that is on together with ESS.
constexpr LabelTable EssStatusLabels = {
    L"ESS STATUS",     // English
    L"ÉTAT ESS",       // French
    L"ESS-STATUS",     // German
    L"STATO ESS",      // Italian
    L"ESSステータス",  // Japanese
    L"ESS 상태",       // Korean
    L"ESTADO ESS",     // Spanish
    L"ESS-STATUS",     // Dutch
    L"СОСТОЯНИЕ ESS",  // Russian
    L"ESS 状态",       // Chinese
    L"ESS-TILA",       // Finnish
};

constexpr LabelTable EssOnLabels = {
    L"ESS ON",      // English
    L"ESS ACTIF",   // French
    L"ESS EIN",     // German
    L"ESS ATTIVO",  // Italian
    L"ESS オン",    // Japanese
    L"ESS 켜짐",    // Korean
    L"ESS ACTIVO",  // Spanish
    L"ESS AAN",     // Dutch
    L"ESS ВКЛ.",    // Russian
    L"ESS 开启",    // Chinese
    L"ESS päällä",  // Finnish
};

constexpr LabelTable EssOffLabels = {
    L"ESS OFF",        // English
    L"ESS INACTIF",    // French
    L"ESS AUS",        // German
    L"ESS DISATTIVO",  // Italian
    L"ESS オフ",       // Japanese
    L"ESS 꺼짐",       // Korean
    L"ESS INACTIVO",   // Spanish
    L"ESS UIT",        // Dutch
    L"ESS ВЫКЛ.",      // Russian
    L"ESS 关闭",       // Chinese
    L"ESS pois",       // Finnish
};

constexpr LabelTable PositionLightEssOnLabels = {
    L"Position Light + ESS ON",      // English
    L"Veilleuse + ESS ACTIF",        // French
    L"Standlicht + ESS EIN",         // German
    L"Posiz. + ESS ATTIVO",          // Italian
    L"車幅灯 + ESS オン",            // Japanese
    L"포지션등 + ESS 켜짐",          // Korean
    L"Luz pos. + ESS ACTIVO",        // Spanish
    L"Positielamp + ESS AAN",        // Dutch
    L"Габариты + ESS ВКЛ.",          // Russian
    L"位置灯 + ESS 开启",            // Chinese
    L"Takavalo + ESS päällä",        // Finnish
};

constexpr LabelTable FogLightEssOnLabels = {
    L"Fog Light + ESS ON",          // English
    L"Brouillard + ESS ACTIF",      // French
    L"Nebellicht + ESS EIN",        // German
    L"Nebbia + ESS ATTIVO",         // Italian
    L"フォグ灯 + ESS オン",         // Japanese
    L"안개등 + ESS 켜짐",           // Korean
    L"Niebla + ESS ACTIVO",         // Spanish
    L"Mistlamp + ESS AAN",          // Dutch
    L"ПТФ + ESS ВКЛ.",              // Russian
    L"雾灯 + ESS 开启",             // Chinese
    L"Sumuvalo + ESS päällä",       // Finnish
};

constexpr LabelTable EssSensitivityLabels = {
    L"ESS Sensitivity",       // English
    L"Sensibilité ESS",       // French
    L"ESS-Empfindlichkeit",   // German
    L"Sensibilità ESS",       // Italian
    L"ESS感度",               // Japanese
    L"ESS 감도",              // Korean
    L"Sensibilidad ESS",      // Spanish
    L"ESS-gevoeligheid",      // Dutch
    L"Чувствительность ESS",  // Russian
    L"ESS 灵敏度",            // Chinese
    L"ESS-herkkyys",          // Finnish
};

constexpr LabelTable MicGainLabels = {
    L"Mic Gain",                // English
    L"Gain du micro",           // French
    L"Mikrofonpegel",           // German
    L"Guadagno microfono",      // Italian
    L"マイクゲイン",            // Japanese
    L"마이크 게인",             // Korean
    L"Ganancia del micrófono",  // Spanish
    L"Microfoonversterking",    // Dutch
    L"Уровень микрофона",       // Russian
    L"麦克风增益",              // Chinese
    L"Mikrofonin vahvistus",    // Finnish
};

#define PLAIN(name) { #name, 1, &PlainEntry<name> }
#define ITEMS(name, items) { #name, items, &ItemEntry<items, name> }

namespace {

constexpr LabelTableInfo kAllTables[] = {
    ITEMS(LowMediumHighLabels, 3),
    ITEMS(FmRegionLabels, 6),
    PLAIN(DateLabels),
    PLAIN(VoxIntercomLabels),
    PLAIN(VoxPhoneLabels),
    PLAIN(EdrLabels),
    PLAIN(EdrShortLabels),
    PLAIN(VoicePromptLabels),
    PLAIN(PlcLabels),
    PLAIN(HighQualityA2dpLabels),
    PLAIN(MicrophoneBoostingLabels),
    PLAIN(SidetoneLabels),
    PLAIN(CalmweaveLabels),
    PLAIN(AutoGainControlLabels),
    PLAIN(RadioTransmitGainLabels),
    PLAIN(AudioChannelTimeoutLabels),
    PLAIN(AudioBoostLabels),
    PLAIN(RadioRegionLabels),
    PLAIN(RegionLabels),
    PLAIN(FmRadioPresetsLabels),
    PLAIN(FmRadioLabels),
    PLAIN(PresetsLabels),
    PLAIN(BasicLabels),
    PLAIN(SpeedDialLabels),
    PLAIN(MoreLabels),
    PLAIN(EmptyLabels),
    PLAIN(RdsAfLabels),
    PLAIN(MotionSensorSensitivityLabels),
    PLAIN(BlendcastLabels),
    PLAIN(IntercomOverlaySensitivityLabels),
    PLAIN(NavigationAppSupportLabels),
    PLAIN(VoxSensitivityLabels),
    PLAIN(HdIntercomLabels),
    PLAIN(EightWayIntercomLabels),
    PLAIN(PhotoModeLabels),
    PLAIN(SingleShotLabels),
    PLAIN(BurstShotLabels),
    PLAIN(VideoModeLabels),
    PLAIN(TimelapseModeLabels),
    PLAIN(LoopRecordingModeLabels),
    PLAIN(VideoResolutionLabels),
    PLAIN(Resolution1080p30Labels),
    PLAIN(Resolution720p60Labels),
    PLAIN(Resolution720p30Labels),
    PLAIN(TimelapseIntervalLabels),
    PLAIN(VideoTaggingIntervalLabels),
    PLAIN(LoopRecordingIntervalLabels),
    PLAIN(VideoMicrophoneGainLabels),
    PLAIN(Interval1MinLabels),
    PLAIN(Interval3MinLabels),
    PLAIN(Interval5MinLabels),
    PLAIN(Interval1SecLabels),
    PLAIN(Interval10SecLabels),
    PLAIN(DateCaptionLabels),
    PLAIN(SpeakerSoundRecordingLabels),
    PLAIN(SourceMusicLabels),
    PLAIN(SourceFmRadioLabels),
    PLAIN(SourceIntercomLabels),
    PLAIN(SourcePhoneLabels),
    PLAIN(AutoCameraSleepLabels),
    PLAIN(SmartVolumeControlLabels),
    PLAIN(FmStationGuideLabels),
    PLAIN(HdVoiceLabels),
    PLAIN(AudioSourcePriorityLabels),
    PLAIN(LayerlyLabels),
    PLAIN(SmartNaviSystemLabels),
    PLAIN(MusicLabels),
    PLAIN(IntercomLabels),
    PLAIN(GuestModeLabels),
    PLAIN(VoiceCommandLabels),
    PLAIN(LayerlyVolumeManagementLabels),
    ITEMS(LevelLabels, 10),
    PLAIN(EssStatusLabels),
    PLAIN(EssOnLabels),
    PLAIN(EssOffLabels),
    PLAIN(PositionLightEssOnLabels),
    PLAIN(FogLightEssOnLabels),
    PLAIN(EssSensitivityLabels),
    PLAIN(MicGainLabels),
};

} // namespace

#undef PLAIN
#undef ITEMS

std::span<const LabelTableInfo> AllLabelTables()
{
    return kAllTables;
}

CString GetLanguageTableText(int kind, int language)
{
    static const LabelTable* const SectionNames[] = {&BasicLabels, &SpeedDialLabels, &FmRadioLabels};
    if (kind < 1 || kind > 3 || language < 0 || language >= kLabelLanguageCount)
        return CString();
    return CString(GetLabelText(*SectionNames[kind - 1], language));
}
