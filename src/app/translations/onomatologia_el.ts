<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-License-Identifier: GPL-3.0-or-later -->
<!-- The program's words on the command line in Greek. The context
     QCommandLineParser holds Qt's own parser's words, which lupdate does not
     find in this program's sources: they are kept here by hand, exactly as
     Qt writes them. -->
<TS version="2.1" language="el_GR">
<context>
    <name>onomatologia</name>
    <message>
        <source>A drill in naming organic compounds: drag each name onto its formula.</source>
        <translation>Άσκηση στην ονοματολογία των οργανικών ενώσεων: σύρετε κάθε όνομα πάνω στον τύπο του.</translation>
    </message>
    <message>
        <source>Write a printable worksheet (A4 PDF) with a freshly shuffled list of names to &lt;file&gt; and exit, without opening a window.</source>
        <translation>Γράφει στο &lt;αρχείο&gt; φύλλο εργασίας για εκτύπωση (PDF A4) με τα ονόματα σε νέα τυχαία σειρά και τελειώνει, χωρίς να ανοίξει παράθυρο.</translation>
    </message>
    <message>
        <source>Write the built-in compounds as a set a spreadsheet opens (CSV, UTF-8) to &lt;file&gt;, a template for a teacher&apos;s own set, and exit; with a set, write that set with the names and explanations it leaves empty filled in. Never writes over an existing file.</source>
        <translation>Γράφει στο &lt;αρχείο&gt; τις ενώσεις της άσκησης ως σύνολο που ανοίγει ένα υπολογιστικό φύλλο (CSV, UTF-8), πρότυπο για το σύνολο του εκπαιδευτικού, και τελειώνει· με ένα σύνολο, γράφει εκείνο το σύνολο συμπληρώνοντας τα ονόματα και τις εξηγήσεις που λείπουν. Δεν γράφει ποτέ πάνω σε αρχείο που υπάρχει.</translation>
    </message>
    <message>
        <source>Check a set of compounds (CSV) and print every problem, one a line; exit 1 if the set cannot be used, 0 if it can (warnings alone do not stop it).</source>
        <translation>Ελέγχει ένα σύνολο ενώσεων (CSV) και γράφει κάθε πρόβλημα σε μια γραμμή· τελειώνει με 1 αν το σύνολο δεν χρησιμοποιείται, με 0 αν χρησιμοποιείται (οι προειδοποιήσεις μόνες δεν το σταματούν).</translation>
    </message>
    <message>
        <source>Print the name of the compound &lt;formula&gt; stands for, then each part of the name and why it is there, and exit.</source>
        <translation>Γράφει το όνομα της ένωσης που παριστάνει ο &lt;τύπος&gt;, μετά κάθε μέρος του ονόματος και γιατί υπάρχει, και τελειώνει.</translation>
    </message>
    <message>
        <source>formula</source>
        <translation>τύπος</translation>
    </message>
    <message>
        <source>A set of compounds (CSV) to open instead of the built-in exercise; with --worksheet, the set whose worksheet to write.</source>
        <translation>Σύνολο ενώσεων (CSV) που ανοίγει αντί για τις ενώσεις της άσκησης· με το --worksheet, το σύνολο του φύλλου εργασίας.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>αρχείο</translation>
    </message>
    <message>
        <source>Open the window with a fresh practice set of compounds of &lt;classes&gt;, comma-separated Greek words (όλα for every class); with --export-set or --worksheet, write the set or its worksheet instead.</source>
        <translation>Ανοίγει το παράθυρο με νέο σύνολο εξάσκησης από ενώσεις των &lt;κατηγοριών&gt;, ελληνικές λέξεις χωρισμένες με κόμμα (όλα για κάθε κατηγορία)· με το --export-set ή το --worksheet, γράφει αντί γι&apos; αυτό το σύνολο ή το φύλλο εργασίας του.</translation>
    </message>
    <message>
        <source>classes</source>
        <translation>κατηγορίες</translation>
    </message>
    <message>
        <source>How many compounds a practice set has, 2 to 20 (default 12).</source>
        <translation>Πόσες ενώσεις έχει ένα σύνολο εξάσκησης, από 2 έως 20 (αλλιώς 12).</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>Start the practice&apos;s random sequence at &lt;S&gt;: the same seed gives the same sets.</source>
        <translation>Ξεκινά την τυχαία σειρά της εξάσκησης από το &lt;S&gt;: ο ίδιος αριθμός δίνει τα ίδια σύνολα.</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>With --worksheet, add a second page with each formula and its name.</source>
        <translation>Με το --worksheet, προσθέτει δεύτερη σελίδα με κάθε τύπο και το όνομά του.</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>Χρήση: %1</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[επιλογές]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Επιλογές:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Ορίσματα:</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Δείχνει τη βοήθεια για τις επιλογές της γραμμής εντολών.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Δείχνει τη βοήθεια μαζί με τις επιλογές του Qt.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Δείχνει την έκδοση.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Λείπει η τιμή μετά το &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Περισσεύει τιμή μετά το &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Άγνωστη επιλογή &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Άγνωστες επιλογές: %1.</translation>
    </message>
</context>
</TS>
