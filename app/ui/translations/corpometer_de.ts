<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>PopupMenu</name>
    <message>
        <source>Quick Help</source>
        <translation>Kurzhilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>en</source>
        <comment>The code of this translation&apos;s language: de, fr, es</comment>
        <translation>de</translation>
    </message>
</context>
<context>
    <name>core::Calculator</name>
    <message>
        <source>Underweight</source>
        <translation>Untergewicht</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normalgewicht</translation>
    </message>
    <message>
        <source>Overweight</source>
        <translation>Übergewicht</translation>
    </message>
    <message>
        <source>Obese</source>
        <translation>Adipositas</translation>
    </message>
    <message>
        <source>Extreme</source>
        <translation>Extreme Adipositas</translation>
    </message>
    <message>
        <source> = Underweight</source>
        <translation> = Untergewicht</translation>
    </message>
    <message>
        <source> = Normal</source>
        <translation> = Normal</translation>
    </message>
    <message>
        <source> = Overweight</source>
        <translation> = Übergewicht</translation>
    </message>
    <message>
        <source> = Obese</source>
        <translation> = Adipös</translation>
    </message>
    <message>
        <source> = Extreme</source>
        <translation> = Extrem</translation>
    </message>
    <message>
        <source>Lbs</source>
        <translation>Pfd.</translation>
    </message>
    <message>
        <source>Please specify weight</source>
        <translation>Bitte geben Sie Ihr Gewicht an.</translation>
    </message>
    <message>
        <source>Please specify a weight between %1 and %2 kgs.</source>
        <translation>Bitte geben Sie ein Gewicht zwischen %1 und %2 kg an.</translation>
    </message>
    <message>
        <source>Please specify a weight between %1 and %2 lbs.</source>
        <translation>Bitte geben Sie ein Gewicht zwischen %1 und %2 Pfund an.</translation>
    </message>
    <message>
        <source>Please specify height</source>
        <translation>Bitte wählen Sie Ihre Größe aus.</translation>
    </message>
    <message>
        <source>Weight for %1 BMI : %2 kgs.</source>
        <translation>Gewicht für BMI %1: %2 kg</translation>
    </message>
    <message>
        <source>Weight for %1 BMI : %2 lbs</source>
        <translation>Gewicht für BMI %1: %2 Pfd.</translation>
    </message>
    <message>
        <source>Lbs.</source>
        <translation>Pfd.</translation>
    </message>
    <message>
        <source>Kgs.</source>
        <translation>kg</translation>
    </message>
</context>
<context>
    <name>ui::AboutDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminfo...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>%1 is a handy tool which you can use to quickly determine your Body Mass Index, thereby helping you to stay healthy. For more information on this and other products, Please contact us at: %2</source>
        <translation>%1 ist ein praktisches Werkzeug, mit dem Sie schnell Ihren Body-Mass-Index bestimmen und so etwas für Ihre Gesundheit tun können. Mehr über dieses und andere Produkte erfahren Sie bei: %2</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Die Systeminformationen sind zurzeit nicht verfügbar.</translation>
    </message>
</context>
<context>
    <name>ui::MainWindow</name>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>Gew.</translation>
    </message>
    <message>
        <source> Enter Weight:</source>
        <translation> Ihr Gewicht:</translation>
    </message>
    <message>
        <source>Pounds</source>
        <translation>Pfund</translation>
    </message>
    <message>
        <source>Kilograms</source>
        <translation>Kilogramm</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Select Height:</source>
        <translation>Ihre Größe:</translation>
    </message>
    <message>
        <source>Feet/Inches</source>
        <translation>Fuß/Zoll</translation>
    </message>
    <message>
        <source>Centimeters</source>
        <translation>Zentimeter</translation>
    </message>
    <message>
        <source>Your BMI</source>
        <translation>Ihr BMI</translation>
    </message>
    <message>
        <source>Calculate BMI</source>
        <translation>BMI berechnen</translation>
    </message>
    <message>
        <source>Your BMI is:</source>
        <translation>Ihr BMI ist:</translation>
    </message>
    <message>
        <source>(Your company name &amp; link or small banner here)</source>
        <translation>(Ihr Firmenname &amp; Link oder ein kleines Banner hier)</translation>
    </message>
</context>
<context>
    <name>ui::QuickHelpWindow</name>
    <message>
        <source>Quick Help</source>
        <translation>Kurzhilfe</translation>
    </message>
    <message>
        <source>%1 is very easy to use. Simply enter your weight in the left pane, and select either Pounds or Kilograms. Next, select your height in feet and inches from the list on the right. Finally, click the &quot;Calculate BMI button&quot;. Your BMI Index number is displayed, and the result is color-coded  to correspond with the legend below. Match the colors to determine the range in which your BMI Index falls.</source>
        <translation>%1 ist ganz einfach zu bedienen. Geben Sie links Ihr Gewicht ein und wählen Sie Pfund oder Kilogramm. Wählen Sie dann rechts Ihre Größe aus der Liste. Klicken Sie zum Schluss auf „BMI berechnen“. Ihr BMI wird angezeigt, in der Farbe seines Bereichs in der Legende unten: So sehen Sie auf einen Blick, in welchen Bereich Ihr BMI fällt.</translation>
    </message>
    <message>
        <source>The Body mass index (BMI) or Quetelet Index is a statistical measure of the weight of a person scaled according to height. It is most often used to determine the overall risk of poor health.</source>
        <translation>Der Body-Mass-Index (BMI) oder Quetelet-Index ist ein statistisches Maß für das Gewicht eines Menschen im Verhältnis zu seiner Größe. Er dient meist dazu, das allgemeine Gesundheitsrisiko abzuschätzen.</translation>
    </message>
</context>
</TS>
