// SPDX-License-Identifier: MIT
// The ten colour presets of the DialGauge QML item, all bound to one slider.
// Bound: the delegates see the ids of this file, and qmllint knows it.
pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import DialGauge

ApplicationWindow {
    id: window
    width: 1000
    height: 470
    visible: true
    title: "DialGauge presets"

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 12
        spacing: 8

        GridLayout {
            columns: 5
            rowSpacing: 4
            columnSpacing: 4
            Layout.fillWidth: true
            Layout.fillHeight: true

            // Preset 8 changes no colour: it shows the gauge's own.
            Repeater {
                model: 10

                DialGauge {
                    required property int index
                    // Square, as the dial is drawn to its item's box.
                    Layout.preferredWidth: 190
                    Layout.preferredHeight: 190
                    value: speed.value
                    dialText: "Preset " + index
                    activeFocusOnTab: true
                    Component.onCompleted: applyStyle(index)
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            Label { text: "km/h" }
            Slider {
                id: speed
                objectName: "speed"
                Layout.fillWidth: true
                from: 0
                to: 100
                value: 62
            }
            Label { text: speed.value.toFixed(1) }
        }
    }
}
