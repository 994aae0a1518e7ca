// The output library: saving and printing the chart.
