<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>PopupMenu</name>
    <message>
        <source>Quick Help</source>
        <translation>Ayuda rápida</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>en</source>
        <comment>The code of this translation&apos;s language: de, fr, es</comment>
        <translation>es</translation>
    </message>
</context>
<context>
    <name>core::Calculator</name>
    <message>
        <source>Underweight</source>
        <translation>Bajo peso</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Peso normal</translation>
    </message>
    <message>
        <source>Overweight</source>
        <translation>Sobrepeso</translation>
    </message>
    <message>
        <source>Obese</source>
        <translation>Obesidad</translation>
    </message>
    <message>
        <source>Extreme</source>
        <translation>Obesidad mórbida</translation>
    </message>
    <message>
        <source> = Underweight</source>
        <translation> = Bajo peso</translation>
    </message>
    <message>
        <source> = Normal</source>
        <translation> = Normal</translation>
    </message>
    <message>
        <source> = Overweight</source>
        <translation> = Sobrepeso</translation>
    </message>
    <message>
        <source> = Obese</source>
        <translation> = Obeso</translation>
    </message>
    <message>
        <source> = Extreme</source>
        <translation> = Extremo</translation>
    </message>
    <message>
        <source>Lbs</source>
        <translation>lb</translation>
    </message>
    <message>
        <source>Please specify weight</source>
        <translation>Indique su peso.</translation>
    </message>
    <message>
        <source>Please specify a weight between %1 and %2 kgs.</source>
        <translation>Indique un peso entre %1 y %2 kg.</translation>
    </message>
    <message>
        <source>Please specify a weight between %1 and %2 lbs.</source>
        <translation>Indique un peso entre %1 y %2 libras.</translation>
    </message>
    <message>
        <source>Please specify height</source>
        <translation>Elija su estatura.</translation>
    </message>
    <message>
        <source>Weight for %1 BMI : %2 kgs.</source>
        <translation>Peso ideal (IMC %1): %2 kg</translation>
    </message>
    <message>
        <source>Weight for %1 BMI : %2 lbs</source>
        <translation>Peso ideal (IMC %1): %2 lb</translation>
    </message>
    <message>
        <source>Lbs.</source>
        <translation>lb</translation>
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
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Info. &amp;sistema</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Acerca de %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Versión %1.%2.%3</translation>
    </message>
    <message>
        <source>%1 is a handy tool which you can use to quickly determine your Body Mass Index, thereby helping you to stay healthy. For more information on this and other products, Please contact us at: %2</source>
        <translation>%1 es una herramienta práctica para calcular rápidamente su índice de masa corporal y ayudarle así a mantenerse sano. Para más información sobre este y otros productos, póngase en contacto con nosotros en: %2</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>La información del sistema no está disponible en este momento.</translation>
    </message>
</context>
<context>
    <name>ui::MainWindow</name>
    <message>
        <source>Menu</source>
        <translation>Menú</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>Peso</translation>
    </message>
    <message>
        <source> Enter Weight:</source>
        <translation> Su peso:</translation>
    </message>
    <message>
        <source>Pounds</source>
        <translation>Libras</translation>
    </message>
    <message>
        <source>Kilograms</source>
        <translation>Kilogramos</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Altura</translation>
    </message>
    <message>
        <source>Select Height:</source>
        <translation>Su estatura:</translation>
    </message>
    <message>
        <source>Feet/Inches</source>
        <translation>Pies/pulg.</translation>
    </message>
    <message>
        <source>Centimeters</source>
        <translation>Centímetros</translation>
    </message>
    <message>
        <source>Your BMI</source>
        <translation>Su IMC</translation>
    </message>
    <message>
        <source>Calculate BMI</source>
        <translation>Calcular IMC</translation>
    </message>
    <message>
        <source>Your BMI is:</source>
        <translation>Su IMC es:</translation>
    </message>
    <message>
        <source>(Your company name &amp; link or small banner here)</source>
        <translation>(Nombre y enlace de su empresa o un banner aquí)</translation>
    </message>
</context>
<context>
    <name>ui::QuickHelpWindow</name>
    <message>
        <source>Quick Help</source>
        <translation>Ayuda rápida</translation>
    </message>
    <message>
        <source>%1 is very easy to use. Simply enter your weight in the left pane, and select either Pounds or Kilograms. Next, select your height in feet and inches from the list on the right. Finally, click the &quot;Calculate BMI button&quot;. Your BMI Index number is displayed, and the result is color-coded  to correspond with the legend below. Match the colors to determine the range in which your BMI Index falls.</source>
        <translation>%1 es muy fácil de usar. Escriba su peso en el panel izquierdo y elija Libras o Kilogramos. Después, elija su estatura en la lista de la derecha. Por último, pulse «Calcular IMC». Su IMC aparece en el color de su categoría: compárelo con la leyenda de abajo para saber en qué categoría se encuentra.</translation>
    </message>
    <message>
        <source>The Body mass index (BMI) or Quetelet Index is a statistical measure of the weight of a person scaled according to height. It is most often used to determine the overall risk of poor health.</source>
        <translation>El índice de masa corporal (IMC) o índice de Quetelet es una medida estadística del peso de una persona en relación con su estatura. Se usa sobre todo para estimar el riesgo general para la salud.</translation>
    </message>
</context>
</TS>
