<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>PopupMenu</name>
    <message>
        <source>Quick Help</source>
        <translation>Aide rapide</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>en</source>
        <comment>The code of this translation&apos;s language: de, fr, es</comment>
        <translation>fr</translation>
    </message>
</context>
<context>
    <name>core::Calculator</name>
    <message>
        <source>Underweight</source>
        <translation>Insuffisance pondérale</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Poids normal</translation>
    </message>
    <message>
        <source>Overweight</source>
        <translation>Surpoids</translation>
    </message>
    <message>
        <source>Obese</source>
        <translation>Obésité</translation>
    </message>
    <message>
        <source>Extreme</source>
        <translation>Obésité massive</translation>
    </message>
    <message>
        <source> = Underweight</source>
        <translation> = Maigreur</translation>
    </message>
    <message>
        <source> = Normal</source>
        <translation> = Normal</translation>
    </message>
    <message>
        <source> = Overweight</source>
        <translation> = Surpoids</translation>
    </message>
    <message>
        <source> = Obese</source>
        <translation> = Obèse</translation>
    </message>
    <message>
        <source> = Extreme</source>
        <translation> = Extrême</translation>
    </message>
    <message>
        <source>Lbs</source>
        <translation>lb</translation>
    </message>
    <message>
        <source>Please specify weight</source>
        <translation>Veuillez indiquer votre poids.</translation>
    </message>
    <message>
        <source>Please specify a weight between %1 and %2 kgs.</source>
        <translation>Veuillez indiquer un poids entre %1 et %2 kg.</translation>
    </message>
    <message>
        <source>Please specify a weight between %1 and %2 lbs.</source>
        <translation>Veuillez indiquer un poids entre %1 et %2 livres.</translation>
    </message>
    <message>
        <source>Please specify height</source>
        <translation>Veuillez choisir votre taille.</translation>
    </message>
    <message>
        <source>Weight for %1 BMI : %2 kgs.</source>
        <translation>Poids idéal (IMC %1)&#xa0;: %2 kg</translation>
    </message>
    <message>
        <source>Weight for %1 BMI : %2 lbs</source>
        <translation>Poids idéal (IMC %1)&#xa0;: %2 lb</translation>
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
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Infos &amp;système</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>À propos de %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>%1 is a handy tool which you can use to quickly determine your Body Mass Index, thereby helping you to stay healthy. For more information on this and other products, Please contact us at: %2</source>
        <translation>%1 est un outil pratique qui vous permet de calculer rapidement votre indice de masse corporelle pour vous aider à rester en bonne santé. Pour en savoir plus sur ce produit et nos autres produits, contactez-nous&#xa0;: %2</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Les informations système ne sont pas disponibles pour le moment.</translation>
    </message>
</context>
<context>
    <name>ui::MainWindow</name>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>Poids</translation>
    </message>
    <message>
        <source> Enter Weight:</source>
        <translation> Votre poids&#xa0;:</translation>
    </message>
    <message>
        <source>Pounds</source>
        <translation>Livres</translation>
    </message>
    <message>
        <source>Kilograms</source>
        <translation>Kilogrammes</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Select Height:</source>
        <translation>Votre taille&#xa0;:</translation>
    </message>
    <message>
        <source>Feet/Inches</source>
        <translation>Pieds/pouces</translation>
    </message>
    <message>
        <source>Centimeters</source>
        <translation>Centimètres</translation>
    </message>
    <message>
        <source>Your BMI</source>
        <translation>Votre IMC</translation>
    </message>
    <message>
        <source>Calculate BMI</source>
        <translation>Calculer l’IMC</translation>
    </message>
    <message>
        <source>Your BMI is:</source>
        <translation>Votre IMC&#xa0;:</translation>
    </message>
    <message>
        <source>(Your company name &amp; link or small banner here)</source>
        <translation>(Nom et lien de votre entreprise ou petite bannière ici)</translation>
    </message>
</context>
<context>
    <name>ui::QuickHelpWindow</name>
    <message>
        <source>Quick Help</source>
        <translation>Aide rapide</translation>
    </message>
    <message>
        <source>%1 is very easy to use. Simply enter your weight in the left pane, and select either Pounds or Kilograms. Next, select your height in feet and inches from the list on the right. Finally, click the &quot;Calculate BMI button&quot;. Your BMI Index number is displayed, and the result is color-coded  to correspond with the legend below. Match the colors to determine the range in which your BMI Index falls.</source>
        <translation>%1 est très simple à utiliser. Saisissez votre poids dans le cadre de gauche et choisissez Livres ou Kilogrammes. Choisissez ensuite votre taille dans la liste de droite. Enfin, cliquez sur «&#xa0;Calculer l’IMC&#xa0;». Votre IMC s’affiche dans la couleur de sa catégorie&#xa0;: comparez-la à la légende du bas pour savoir où se situe votre IMC.</translation>
    </message>
    <message>
        <source>The Body mass index (BMI) or Quetelet Index is a statistical measure of the weight of a person scaled according to height. It is most often used to determine the overall risk of poor health.</source>
        <translation>L’indice de masse corporelle (IMC), ou indice de Quetelet, est une mesure statistique du poids d’une personne rapporté à sa taille. On l’utilise le plus souvent pour évaluer le risque global pour la santé.</translation>
    </message>
</context>
</TS>
