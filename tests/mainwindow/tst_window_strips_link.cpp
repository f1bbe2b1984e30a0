// Solo, mute and stereo link on the whole window against an emulated unit: clicked as a person
// does, read back from the buttons, the stack pages, the settings file and the unit.
#include "StripsFixture.h"
#include "kxctl.h"

class TestWindowStripsLink : public QObject {
    Q_OBJECT

    StripsFixture f;

    QVector<int> unitMutes() {
        QVector<int> mutes;
        const auto state = f.unit->state();
        for (const auto &in : state.inputs)
            mutes << in.mute;
        return mutes;
    }
    // Every channel muted but the given ones.
    static QVector<int> allBut(std::initializer_list<int> open) {
        QVector<int> mutes(kMonoStripCount, 1);
        for (int c : open)
            mutes[c] = 0;
        return mutes;
    }
    static QVector<int> only(std::initializer_list<int> muted) {
        QVector<int> mutes(kMonoStripCount, 0);
        for (int c : muted)
            mutes[c] = 1;
        return mutes;
    }
    QVector<int> muteButtons() {
        QVector<int> b;
        for (int c = 0; c < kMonoStripCount; ++c)
            b << f.mono(c).mute->isChecked();
        return b;
    }

    // Back to no solo, no mute and no link, through the buttons.
    void clearStrips() {
        for (int p = 0; p < kPairStripCount; ++p)
            if (f.pair(p).stack->currentIndex() == 1)
                click(f.pair(p).linkOff);
        for (int c = 0; c < kMonoStripCount; ++c)
            if (f.mono(c).solo->isChecked())
                click(f.mono(c).solo);
        for (int c = 0; c < kMonoStripCount; ++c)
            if (f.mono(c).mute->isChecked())
                click(f.mono(c).mute);
        for (int p = 0; p < kPairStripCount; ++p) {
            f.pair(p).solo->setChecked(false);
            f.pair(p).mute->setChecked(false);
        }
        for (int c = 0; c < kMonoStripCount; ++c)
            if (f.mono(c).bypass->isChecked())
                click(f.mono(c).bypass);
        f.release();
    }

    static void addPairRows() {
        QTest::addColumn<int>("pair");
        for (int p = 0; p < kPairStripCount; ++p)
            QTest::newRow(QByteArray::number(p).constData()) << p;
    }

private slots:
    void initTestCase() { QVERIFY(f.open()); }
    void init() {
        clearStrips();
        QVERIFY(f.settle());
        f.unit->clearLog();
    }
    void cleanup() { clearStrips(); }
    void cleanupTestCase() { f.close(); }

    // ---- Solo and mute ---------------------------------------------------------------------

    void soloMutesTheOtherNineteen_data() {
        QTest::addColumn<int>("channel");
        for (int c = 0; c < kMonoStripCount; ++c)
            QTest::newRow(QByteArray::number(c).constData()) << c;
    }
    void soloMutesTheOtherNineteen() {
        QFETCH(int, channel);
        const PairStrip &own = f.pair(channel / 2);
        click(f.mono(channel).solo);
        QVERIFY(f.settle());
        QCOMPARE(unitMutes(), allBut({channel}));
        QCOMPARE(muteButtons(), allBut({channel}));
        for (int p = 0; p < kPairStripCount; ++p)
            QVERIFY(f.pair(p).mute->isChecked()); // the own pair too: its partner is muted
        // The stereo solo follows the odd channel only.
        QCOMPARE(own.solo->isChecked(), channel % 2 == 0);
        QCOMPARE(storedIn(settingsName, f.mono(channel).track, "Solo").toBool(), true);
        QCOMPARE(storedIn(settingsName, f.mono((channel + 1) % 20).track, "Mute").toBool(), true);

        click(f.mono(channel).solo);
        QVERIFY(f.settle());
        QCOMPARE(unitMutes(), only({}));
        QCOMPARE(muteButtons(), only({}));
        QCOMPARE(f.countTag(KXCTL_TAG_SOLO), 0);
        QCOMPARE(f.unit->outOfRangeCount(), 0);
    }

    // The last release restores the mutes from before the first solo; a channel released
    // while other solos remain is marked unmuted for that restore.
    void releasesInEitherOrder_data() {
        QTest::addColumn<bool>("firstReleasedFirst");
        QTest::newRow("3 then 4") << true;
        QTest::newRow("4 then 3") << false;
    }
    void releasesInEitherOrder() {
        QFETCH(bool, firstReleasedFirst);
        click(f.mono(4).mute); // channel 5 muted by hand
        click(f.mono(2).mute); // channel 3 too, before the solo period
        click(f.mono(2).solo);
        click(f.mono(3).solo);
        QVERIFY(f.settle());
        QCOMPARE(unitMutes(), allBut({2, 3}));

        const int first = firstReleasedFirst ? 2 : 3, second = firstReleasedFirst ? 3 : 2;
        click(f.mono(first).solo);
        QVERIFY(f.settle());
        QCOMPARE(unitMutes(), allBut({second}));
        QVERIFY(f.mono(first).mute->isChecked());

        click(f.mono(second).solo);
        QVERIFY(f.settle());
        // Channel 5 stays muted; channel 3 was muted before the period, so it ends muted
        // only when it was the last one released.
        QCOMPARE(unitMutes(), firstReleasedFirst ? only({4}) : only({2, 4}));
        QCOMPARE(muteButtons(), firstReleasedFirst ? only({4}) : only({2, 4}));
        QCOMPARE(f.countTag(KXCTL_TAG_SOLO), 0);
    }

    // The restore unchecks a pair's stereo mute for its odd channel even while the even one
    // stays muted: the stereo button then shows off.
    void restoreCanLeaveTheStereoMuteOffOverAMutedChannel() {
        click(f.mono(9).mute);
        QVERIFY(!f.pair(4).mute->isChecked());
        click(f.mono(0).solo);
        QVERIFY(f.pair(4).mute->isChecked());
        click(f.mono(0).solo);
        QVERIFY(f.settle());
        QCOMPARE(unitMutes(), only({9}));
        QVERIFY(f.mono(9).mute->isChecked());
        QVERIFY(!f.pair(4).mute->isChecked());
    }

    void monoMuteOfTheEvenChannelLeavesTheStereoButton() {
        click(f.mono(9).mute);
        QVERIFY(!f.pair(4).mute->isChecked());
        click(f.mono(8).mute);
        QVERIFY(f.pair(4).mute->isChecked());
        QVERIFY(f.settle());
        QCOMPARE(unitMutes(), only({8, 9}));
    }

    // The stereo solo with the even channel muted before it: both channels soloed and open;
    // released as the last solo, the pair ends muted on both sides.
    void stereoSoloWithTheEvenChannelMuted() {
        const PairStrip &p = f.pair(6);
        p.stack->setCurrentIndex(1);
        click(f.mono(13).mute);
        click(p.solo);
        QVERIFY(f.mono(12).solo->isChecked());
        QVERIFY(f.mono(13).solo->isChecked());
        QVERIFY(!p.mute->isChecked());
        QVERIFY(f.settle());
        QCOMPARE(unitMutes(), allBut({12, 13}));

        click(p.solo);
        QVERIFY(f.settle());
        QCOMPARE(unitMutes(), only({12, 13}));
        QVERIFY(f.mono(12).mute->isChecked());
        QVERIFY(f.mono(13).mute->isChecked());
        QVERIFY(p.mute->isChecked());
        QCOMPARE(f.countTag(KXCTL_TAG_SOLO), 0);
    }

    // A channel index outside the 20 channels addresses no channel.
    void channelIndexesOutsideTheMixerAreIgnored() {
        QPushButton *button = f.mono(0).mute;
        f.w->doSolo(true, MainWindow::kMuteTrack(20), button);
        f.w->doSolo(false, MainWindow::kMuteTrack(255), button);
        f.w->setMuteButton(MainWindow::kMuteTrack(25));
        f.w->clearMuteButton(200);
        f.w->clearMuteButton(20);
        QVERIFY(f.settle());
        QCOMPARE(muteButtons(), only({}));
        QCOMPARE(f.countTag(KXCTL_TAG_MUTE), 0);
        // A later solo still works as usual.
        click(f.mono(1).solo);
        QVERIFY(f.settle());
        QCOMPARE(unitMutes(), allBut({1}));
    }

    // ---- Link on ---------------------------------------------------------------------------

    void linkOnTakesTheOddChannel_data() { addPairRows(); }
    void linkOnTakesTheOddChannel() {
        QFETCH(int, pair);
        const PairStrip &p = f.pair(pair);
        const MonoStrip &a = f.mono(p.odd), &b = f.mono(p.odd + 1);
        const FaderRow &fa = f.fader(p.odd), &fb = f.fader(p.odd + 1),
                       &fp = f.fader(kMonoStripCount + pair);

        // The channels apart: EQ, compressor, fader, a knob, low cut, sends and send points.
        if (!a.eq->isChecked())
            click(a.eq);
        if (a.comp->isChecked())
            click(a.comp);
        if (b.eq->isChecked())
            click(b.eq);
        if (!b.comp->isChecked())
            click(b.comp);
        typeInto(fa.box, QStringLiteral("-10.0"));
        typeInto(fb.box, QStringLiteral("-30.0"));
        storeIn(settingsName, a.track, QStringLiteral("EqHighGainPos"), 30);
        storeIn(settingsName, a.track, QStringLiteral("EqLowCutFilter"), true);
        drag(a.sendKnob[0], QPoint(13, 13), {QPoint(13, 13) - QPoint(0, 25)});
        storeIn(settingsName, a.track, QStringLiteral("Send2_Point"), 2);
        storeIn(settingsName, a.track, QStringLiteral("Send3_Point"), 3);
        storeIn(settingsName, a.track, QStringLiteral("Send4_Point"), 0);
        storeIn(settingsName, b.track, QStringLiteral("EqHighGainPos"), 50);
        click(b.post[3]);
        // Some pairs link with the odd channel in true bypass.
        const bool bypass = pair % 3 == 0;
        if (bypass)
            click(a.bypass);
        QVERIFY(f.settle());

        click(p.linkOn);
        QVERIFY(f.settle());

        // The three places of the link agree.
        QCOMPARE(storedIn(settingsName, p.track, "Link").toBool(), true);
        QVERIFY(ChannelControl::linkedCh[pair]);
        QCOMPARE(p.stack->currentIndex(), 1);
        // The stereo strip shows the odd channel; the even channel's own widgets stay.
        QVERIFY(p.eq->isChecked());
        QVERIFY(!p.comp->isChecked());
        QVERIFY(!b.eq->isChecked());
        QCOMPARE(fp.box->value(), -10.0);
        QCOMPARE(fp.slider->value(), f.fader(p.odd).slider->value());
        QCOMPARE(fb.box->value(), -30.0);
        QCOMPARE(storedIn(settingsName, p.track, "Eq").toBool(), true);
        QCOMPARE(storedIn(settingsName, p.track, "Fader").toDouble(), -10.0);
        QCOMPARE(storedIn(settingsName, p.track, "EqHighGainPos").toInt(), 30);
        QCOMPARE(storedIn(settingsName, p.track, "EqLowCutFilter").toBool(), true);
        QCOMPARE(storedIn(settingsName, b.track, "EqLowCutFilter").toBool(), false);
        QCOMPARE(storedIn(settingsName, b.track, "EqHighGainPos").toInt(), 50);
        QCOMPARE(storedIn(settingsName, b.track, "Fader").toDouble(), -30.0);
        QCOMPARE(p.bypass->isChecked(), bypass);
        QVERIFY(!b.bypass->isChecked());
        QCOMPARE(p.select->isEnabled(), !bypass);
        for (const char *key : {"Send1_Level", "Send1_Point", "Send2_Point"})
            QVERIFY(!storedIn(settingsName, p.track, QLatin1String(key)).isValid());

        // At the unit both channels carry the odd channel's settings, linked.
        const auto s = f.unit->state();
        const auto &ua = s.inputs[p.odd], &ub = s.inputs[p.odd + 1];
        QCOMPARE(int(ua.fader), -100);
        QCOMPARE(int(ub.fader), -100);
        QCOMPARE(int(ub.eq[0].on), int(ua.eq[0].on));
        QCOMPARE(int(ub.eq[3].on), 1);
        QCOMPARE(int(ub.comp.on), 0);
        QCOMPARE(int(ua.comp.link), 2);
        QCOMPARE(int(ub.comp.link), 3);
        QCOMPARE(int(ub.sends[0].level), int(ua.sends[0].level));
        QVERIFY(ua.sends[0].level > -127);
        QCOMPARE(int(ub.sends[1].pos), 2);
        QCOMPARE(int(ub.sends[2].pos), 3);
        QCOMPARE(int(ub.sends[3].pos), 1);
        QCOMPARE(int(ua.bypass), int(bypass));
        QCOMPARE(int(ub.bypass), int(bypass));
        // The even strip's knob and send point buttons show what it took.
        QCOMPARE(pictureOf(b.sendKnob[0]), pictureOf(a.sendKnob[0]));
        QVERIFY(b.pre[1]->isChecked() && !b.post[1]->isChecked());
        QVERIFY(!b.pre[2]->isChecked() && b.post[2]->isChecked());
        QVERIFY(!b.pre[3]->isChecked() && !b.post[3]->isChecked());
        QCOMPARE(storedIn(settingsName, b.track, "Send2_Point").toInt(), 2);
        QCOMPARE(storedIn(settingsName, b.track, "Send4_Point").toInt(), 1);
        QCOMPARE(f.unit->outOfRangeCount(), 0);
    }

    // ---- Link off --------------------------------------------------------------------------

    void linkOffHandsThePairToBothChannels_data() { addPairRows(); }
    void linkOffHandsThePairToBothChannels() {
        QFETCH(int, pair);
        const PairStrip &p = f.pair(pair);
        const MonoStrip &a = f.mono(p.odd), &b = f.mono(p.odd + 1);
        click(p.linkOn);
        if (p.eq->isChecked())
            click(p.eq);
        if (!p.comp->isChecked())
            click(p.comp);
        typeInto(f.fader(kMonoStripCount + pair).box, QStringLiteral("-19.9"));
        storeIn(settingsName, p.track, QStringLiteral("CompRatioPos"), 7);
        storeIn(settingsName, p.track, QStringLiteral("EqLowCutFilter"), true);
        // Some pairs split while in true bypass.
        const bool bypass = pair % 2 == 0;
        if (bypass)
            click(p.bypass);
        QVERIFY(f.settle());

        click(p.linkOff);
        QVERIFY(f.settle());

        QCOMPARE(storedIn(settingsName, p.track, "Link").toBool(), false);
        QVERIFY(!ChannelControl::linkedCh[pair]);
        QCOMPARE(p.stack->currentIndex(), 0);
        for (const MonoStrip *m : {&a, &b}) {
            QCOMPARE(m->bypass->isChecked(), bypass);
            QCOMPARE(m->select->isEnabled(), !bypass);
            QCOMPARE(m->phase->isEnabled(), !bypass);
            QVERIFY(!m->eq->isChecked());
            QVERIFY(m->comp->isChecked());
            QCOMPARE(storedIn(settingsName, m->track, "CompRatioPos").toInt(), 7);
            QCOMPARE(storedIn(settingsName, m->track, "EqLowCutFilter").toBool(), true);
            QCOMPARE(storedIn(settingsName, m->track, "Fader").toDouble(), -19.9);
        }
        for (int c : {p.odd, p.odd + 1}) {
            QCOMPARE(f.fader(c).box->value(), -19.9);
            QCOMPARE(f.fader(c).slider->value(), 39);
        }
        const auto s = f.unit->state();
        for (int c : {p.odd, p.odd + 1}) {
            QCOMPARE(int(s.inputs[c].fader), -199);
            QCOMPARE(int(s.inputs[c].comp.on), 1);
            QCOMPARE(int(s.inputs[c].comp.link), 1);
            QCOMPARE(int(s.inputs[c].eq[3].on), 0);
            QCOMPARE(int(s.inputs[c].bypass), int(bypass));
        }
        QCOMPARE(f.unit->outOfRangeCount(), 0);
    }

    // ---- The selection across link on and off ----------------------------------------------

    void selectionFollowsTheLink_data() {
        QTest::addColumn<int>("pair");
        QTest::addColumn<int>("selected"); // -1 a channel of another pair, 0 odd, 1 even
        QTest::addColumn<bool>("oddBypassed");
        const struct {
            const char *name;
            int selected;
            bool oddBypassed;
        } cases[] = {{"another channel", -1, false},
                     {"odd", 0, false},
                     {"even", 1, false},
                     // The pair takes the odd channel's bypass, so it cannot be selected.
                     {"even, odd bypassed", 1, true}};
        for (int p = 0; p < kPairStripCount; ++p)
            for (const auto &c : cases)
                QTest::newRow(QByteArray::number(p).append(' ').append(c.name).constData())
                    << p << c.selected << c.oddBypassed;
    }
    void selectionFollowsTheLink() {
        QFETCH(int, pair);
        QFETCH(int, selected);
        QFETCH(bool, oddBypassed);
        const PairStrip &p = f.pair(pair);
        const MonoStrip &a = f.mono(p.odd), &b = f.mono(p.odd + 1);
        const MonoStrip &other = f.mono((p.odd + 2) % kMonoStripCount);
        if (oddBypassed)
            click(a.bypass);
        click(selected < 0 ? other.select : selected == 0 ? a.select : b.select);
        const QString afterLinkOn = selected < 0  ? other.track
                                    : oddBypassed ? QStringLiteral("none")
                                                  : p.track;

        click(p.linkOn);
        QCOMPARE(ChannelControl::selectedCh, afterLinkOn);
        QCOMPARE(p.select->isChecked(), afterLinkOn == p.track);
        QVERIFY(!a.select->isChecked());
        QVERIFY(!b.select->isChecked());
        if (afterLinkOn == QLatin1String("none"))
            QCOMPARE(pictureOf(b.strip),
                     resourceImage(QStringLiteral(":Resource/track/Tarvik_track_0.png")));
        if (afterLinkOn == p.track)
            QCOMPARE(pictureOf(p.strip),
                     resourceImage(QStringLiteral(":Resource/track/TrackLink_1.png")));

        // Unlinking a selected pair selects the odd channel, never the even one.
        click(p.linkOff);
        QCOMPARE(ChannelControl::selectedCh, afterLinkOn == p.track ? a.track : afterLinkOn);
        QCOMPARE(a.select->isChecked(), afterLinkOn == p.track);
        QVERIFY(!p.select->isChecked());
        QVERIFY(!b.select->isChecked());
    }

    // ---- Solo and mute across link on ------------------------------------------------------

    void linkOnBringsSoloAndMuteIntoLine_data() {
        QTest::addColumn<int>("pair");
        QTest::addColumn<int>("case_");
        const char *const cases[] = {"odd soloed", "even soloed", "both muted", "odd muted"};
        for (int p = 0; p < kPairStripCount; ++p)
            for (int c = 0; c < 4; ++c)
                QTest::newRow(QByteArray::number(p).append(' ').append(cases[c]).constData())
                    << p << c;
    }
    void linkOnBringsSoloAndMuteIntoLine() {
        QFETCH(int, pair);
        QFETCH(int, case_);
        const PairStrip &p = f.pair(pair);
        const int oa = p.odd, ob = p.odd + 1;
        const MonoStrip &a = f.mono(oa), &b = f.mono(ob);
        switch (case_) {
        case 0:
            click(a.solo);
            break;
        case 1:
            click(b.solo);
            break;
        case 2:
            click(a.mute);
            click(b.mute);
            break;
        case 3:
            click(a.mute);
            break;
        }
        QVERIFY(f.settle());
        f.unit->clearLog();

        click(p.linkOn);
        QVERIFY(f.settle());
        switch (case_) {
        case 0:
            // Both soloed and open, the pair's solo on, everyone else muted.
            QVERIFY(b.solo->isChecked());
            QVERIFY(p.solo->isChecked());
            QVERIFY(!p.mute->isChecked());
            QCOMPARE(unitMutes(), allBut({oa, ob}));
            // Released from the stereo strip as the last solo, everyone is open again.
            click(p.solo);
            QVERIFY(f.settle());
            QCOMPARE(unitMutes(), only({}));
            break;
        case 1:
            // The odd channel's saved mute is set before the even solo is released: the pair
            // ends muted and not soloed, everyone else open.
            QVERIFY(!a.solo->isChecked());
            QVERIFY(!b.solo->isChecked());
            QVERIFY(!p.solo->isChecked());
            QVERIFY(p.mute->isChecked());
            QCOMPARE(unitMutes(), only({oa, ob}));
            break;
        case 2:
            QVERIFY(p.mute->isChecked());
            QCOMPARE(f.countTag(KXCTL_TAG_MUTE), 0);
            break;
        case 3:
            QVERIFY(b.mute->isChecked());
            QVERIFY(p.mute->isChecked());
            QCOMPARE(unitMutes(), only({oa, ob}));
            break;
        }
        QCOMPARE(f.countTag(KXCTL_TAG_SOLO), 0);
    }
};

QTEST_MAIN(TestWindowStripsLink)
#include "tst_window_strips_link.moc"
