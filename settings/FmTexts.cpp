// The FM radio page's texts: English, French, German, Italian, Japanese,
// Korean, Spanish, Dutch, Russian, Chinese, Finnish. The English texts are the
// system's own, word for word. "%0.1f" stands where a frequency in MHz is
// filled in, by literal replacement, in the order of the English form.
#include "settings/FmTexts.h"

#include <iterator>
#include <string>

#include "device/DeviceSettings.h"
#include "settings/FmRules.h"

namespace {

constexpr FmTextEntry kFmTexts[] = {
    {FmTextId::PresetRangeError,
     {
      L"FM Radio preset should be between %0.1f MHz and %0.1f MHz. Enter valid value again.",
      L"La présélection radio FM doit être comprise entre %0.1f MHz et %0.1f MHz. Saisissez de nouveau une valeur valide.",
      L"Der FM-Senderspeicher muss zwischen %0.1f MHz und %0.1f MHz liegen. Geben Sie erneut einen gültigen Wert ein.",
      L"La preselezione radio FM deve essere compresa tra %0.1f MHz e %0.1f MHz. Inserisci di nuovo un valore valido.",
      L"FMラジオのプリセットは %0.1f MHz から %0.1f MHz の間で指定してください。有効な値を入力し直してください。",
      L"FM 라디오 프리셋은 %0.1f MHz에서 %0.1f MHz 사이여야 합니다. 올바른 값을 다시 입력하십시오.",
      L"La presintonía de radio FM debe estar entre %0.1f MHz y %0.1f MHz. Introduzca de nuevo un valor válido.",
      L"De voorkeuzezender van de FM-radio moet tussen %0.1f MHz en %0.1f MHz liggen. Voer opnieuw een geldige waarde in.",
      L"Предустановка FM-радио должна быть от %0.1f МГц до %0.1f МГц. Введите допустимое значение ещё раз.",
      L"FM 收音机预设应介于 %0.1f MHz 和 %0.1f MHz 之间。请重新输入有效值。",
      L"FM-radion esiasetuksen on oltava välillä %0.1f MHz – %0.1f MHz. Anna kelvollinen arvo uudelleen.",
     }},
    {FmTextId::PresetInvalid,
     {
      L"FM Radio preset is not valid. Enter valid value again.",
      L"La présélection radio FM n'est pas valide. Saisissez de nouveau une valeur valide.",
      L"Der FM-Senderspeicher ist ungültig. Geben Sie erneut einen gültigen Wert ein.",
      L"La preselezione radio FM non è valida. Inserisci di nuovo un valore valido.",
      L"FMラジオのプリセットが無効です。有効な値を入力し直してください。",
      L"FM 라디오 프리셋이 올바르지 않습니다. 올바른 값을 다시 입력하십시오.",
      L"La presintonía de radio FM no es válida. Introduzca de nuevo un valor válido.",
      L"De voorkeuzezender van de FM-radio is ongeldig. Voer opnieuw een geldige waarde in.",
      L"Недопустимая предустановка FM-радио. Введите допустимое значение ещё раз.",
      L"FM 收音机预设无效。请重新输入有效值。",
      L"FM-radion esiasetus ei kelpaa. Anna kelvollinen arvo uudelleen.",
     }},
    {FmTextId::HelpRdsAf,
     {
      L"[RDS (Radio Data System) AF (Alternative Frequencies)]\nRDS AF (Radio Data System Alternative Frequencies) "
      L"enables the headset to re-tune to an alternative frequency for the same radio station if the primary "
      L"frequency loses signal strength. Please check that your local radio stations support the RDS AF feature.",
      L"[RDS (Radio Data System) AF (fréquences alternatives)]\nRDS AF (fréquences alternatives du Radio Data System) "
      L"permet au casque de se régler sur une autre fréquence de la même station lorsque le signal de la fréquence "
      L"principale faiblit. Vérifiez que vos stations de radio locales prennent en charge la fonction RDS AF.",
      L"[RDS (Radio Data System) AF (Alternativfrequenzen)]\nRDS AF (Alternativfrequenzen des Radio Data System) "
      L"lässt das Headset auf eine andere Frequenz desselben Senders wechseln, wenn das Signal der Hauptfrequenz "
      L"schwächer wird. Prüfen Sie, ob Ihre örtlichen Radiosender die RDS-AF-Funktion unterstützen.",
      L"[RDS (Radio Data System) AF (frequenze alternative)]\nRDS AF (frequenze alternative del Radio Data System) "
      L"consente all'auricolare di sintonizzarsi su una frequenza alternativa della stessa stazione quando il segnale "
      L"della frequenza principale si indebolisce. Verifica che le stazioni radio locali supportino la funzione RDS AF.",
      L"[RDS (Radio Data System) AF (代替周波数)]\nRDS AF (Radio Data System の代替周波数) を使用すると、"
      L"メインの周波数の電波が弱くなったときに、ヘッドセットが同じ放送局の別の周波数に自動で選局し直します。"
      L"お住まいの地域のラジオ局が RDS AF 機能に対応しているかご確認ください。",
      L"[RDS (Radio Data System) AF (대체 주파수)]\nRDS AF(Radio Data System 대체 주파수)를 사용하면 기본 "
      L"주파수의 신호가 약해질 때 헤드셋이 같은 방송국의 다른 주파수로 다시 맞춰집니다. 지역 라디오 방송국이 "
      L"RDS AF 기능을 지원하는지 확인하십시오.",
      L"[RDS (Radio Data System) AF (frecuencias alternativas)]\nRDS AF (frecuencias alternativas del Radio Data "
      L"System) permite que el auricular se sintonice en otra frecuencia de la misma emisora si la señal de la "
      L"frecuencia principal se debilita. Compruebe que sus emisoras locales admiten la función RDS AF.",
      L"[RDS (Radio Data System) AF (alternatieve frequenties)]\nMet RDS AF (alternatieve frequenties van het Radio "
      L"Data System) stemt de headset af op een andere frequentie van dezelfde zender als het signaal van de "
      L"hoofdfrequentie zwakker wordt. Controleer of uw lokale radiozenders de RDS AF-functie ondersteunen.",
      L"[RDS (Radio Data System) AF (альтернативные частоты)]\nRDS AF (альтернативные частоты Radio Data System) "
      L"позволяет гарнитуре перестроиться на другую частоту той же радиостанции, если сигнал основной частоты "
      L"ослабевает. Убедитесь, что ваши местные радиостанции поддерживают функцию RDS AF.",
      L"[RDS (Radio Data System) AF (备选频率)]\nRDS AF（Radio Data System 备选频率）可在主频率信号减弱时，"
      L"让耳机重新调谐到同一电台的备选频率。请确认您当地的广播电台支持 RDS AF 功能。",
      L"[RDS (Radio Data System) AF (vaihtoehtoiset taajuudet)]\nRDS AF (Radio Data Systemin vaihtoehtoiset "
      L"taajuudet) antaa kuulokkeen virittyä saman radioaseman toiselle taajuudelle, kun päätaajuuden signaali "
      L"heikkenee. Tarkista, että paikalliset radioasemasi tukevat RDS AF -toimintoa.",
     }},
};
static_assert(std::size(kFmTexts) == static_cast<size_t>(FmTextId::Count));

constexpr std::wstring_view kMhzField = L"%0.1f";

// Fills the "%0.1f" fields of a text in order, each by literal replacement.
CString FillMhzFields(std::wstring_view text, const CString& first, const CString& second)
{
    std::wstring out;
    const CString* values[] = {&first, &second};
    size_t next = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t hit = text.find(kMhzField, pos);
        if (hit == std::wstring_view::npos || next == std::size(values)) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, hit - pos));
        out.append(values[next++]->GetString());
        pos = hit + kMhzField.size();
    }
    return CString(std::move(out));
}

}  // namespace

std::span<const FmTextEntry> FmTextTable() { return kFmTexts; }

CString FmText(FmTextId id, LanguageIndex language)
{
    return CString(TableLiteral(FmTextTable(), static_cast<int>(id), language));
}

CString GetFmPresetRangeErrorText(LanguageIndex language, int region)
{
    const FmRegionRange& band = FmRegionTable[SafeFmRegion(region)];
    return FillMhzFields(TableLiteral(FmTextTable(), static_cast<int>(FmTextId::PresetRangeError), language),
                         PresetText(band.Minimum), PresetText(band.Maximum));
}

CString GetFmPresetInvalidText(LanguageIndex language) { return FmText(FmTextId::PresetInvalid, language); }

CString GetHelpRdsAf(LanguageIndex language) { return FmText(FmTextId::HelpRdsAf, language); }
